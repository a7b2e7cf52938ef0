#pragma once
// Several weeks of time-clock punches for a roster: four a workday (in, out to
// lunch, back, out) with a few minutes' jitter, the odd absence and the odd
// forgotten punch, in the order a clock exports them.
#include "Roster.h"

#include <chrono>
#include <vector>

namespace demodata {

struct Punch {
    int badge = 0;
    std::chrono::sys_days day;
    int second = 0;  // seconds since midnight
};

struct PunchPlan {
    std::chrono::year_month_day firstDay{std::chrono::year(2010), std::chrono::March, std::chrono::day(1)};
    int weeks = 6;
    unsigned seed = 2010;
};

// The punches that `clock` recorded, sorted by day, time and badge.
std::vector<Punch> makePunches(const std::vector<Employee>& staff, Clock clock, const PunchPlan& plan);

} // namespace demodata
