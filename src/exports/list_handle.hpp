// The list a host hands across the C ABI, and its JSON form.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "lists/list_object.hpp"
#include "orvrun.h"

struct ORVRUN_LIST {
  orv::lists::ListObject list;
};

namespace orv::exports {

// A list from its JSON form (Windows-1250, as every text here); nullptr with `error` when the
// text is not JSON or not a list.
std::unique_ptr<ORVRUN_LIST> list_from_json(std::string_view json, std::string& error);

}  // namespace orv::exports
