// What the opaque objects of the C ABI hold: a record and a report band.
#pragma once

#include "orvrun.h"
#include "platform/dict/group.hpp"
#include "reports/report_band.hpp"

struct ORVRUN_GROUP {
  orv::dict::Group group;
};

struct ORVRUN_BAND {
  orv::reports::Band band;
};
