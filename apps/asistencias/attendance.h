// The attendance table asisxdia.dbf: one row per active employee and weekday of a date range, plus a row for
// every other badge and day with punches, each with its four shift punches and extra hours. Built from the
// employee table and the punch store Checadas.dbf in numbered areas 2 and 3 of the current folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt::rdd {
class WorkArea;
}

namespace asistencias {

// CALC_HE: the extra hours (0 to 8) of one punch time "hh:mm:ss": whole hours before the 09:00 entry (a
// started hour counts whole) or after the 19:00 exit (a started hour does not count).
int extraHours(std::string_view time);

// The range the dialog's two texts give: both must be dates as "yyyy/mm/dd" (so that the walk over the days
// always ends); a range typed end first is exchanged. `problem` holds the message for the user when they are not.
struct DateRange {
    std::string start, end;
    std::string problem;
};
DateRange dateRange(const std::string& typedStart, const std::string& typedEnd);

// Builds asisxdia.dbf (and asisxdia.ntx) for the range from the employee area and Checadas.dbf; answers the
// rows written. The employee area is left on the record it was on. Errors go to the runtime's error handler; the
// areas are closed however it ends.
int64_t buildAttendanceTable(rt::rdd::WorkArea& employees, const DateRange& range);

// Registers CALC_HE as a function callable by name.
void registerAttendanceFunctions();

}  // namespace asistencias
