// The attendance table asisxdia.dbf exported through the banded report into a new workbook of the spreadsheet
// program, left open for the user: the company and the range typed as its header and title, one row per table
// record in the order the records were added. Windows only.
#pragma once

#include <string>

namespace asistencias {

// Opens asisxdia.dbf in area 3 (the engine's exclusive setting, no index), exports it and closes it; the current
// area is put back. False when the spreadsheet could not be reached (the user was told).
bool exportAttendance(const std::string& typedStart, const std::string& typedEnd);

}  // namespace asistencias
