// The work area a data set's table code runs in: the one its area scope made current.
#pragma once

#include "runtime/rdd/work_areas.h"

namespace vorpex::data {

inline rt::rdd::WorkArea& currentArea() { return *rt::rdd::WorkAreas::instance().current(); }

}  // namespace vorpex::data
