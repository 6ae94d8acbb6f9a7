// The marked-record channel's two operations.
#include "frame/marked_channel.hpp"

namespace orv::frame {

BoundChannel& marked_channel() {
  static BoundChannel channel("VAXZAZ", sql::RecordLayout{999, 999},
                              /*quiet_keeps_binding=*/false);
  return channel;
}

sql::ScratchTable& VAXZAZ() {
  return marked_channel().table();
}

void marked_execute(std::string_view statement) {
  marked_channel().run(statement, /*quiet=*/false, /*fetch=*/false);
}

std::string marked_query(std::string_view statement, uint8_t quiet) {
  return marked_channel().run(statement, quiet == 1, /*fetch=*/true);
}

}  // namespace orv::frame
