// ZDJECIA_VIEWER: the photos of one article or contractor in a window.
#pragma once

#include <string_view>

namespace orv::attachments {

// Window variant "1" only shows (view mode); any other variant may also change the photos.
void ZDJECIA_VIEWER(std::string_view object_id, std::string_view photo_table,
                    std::string_view variant);

}  // namespace orv::attachments
