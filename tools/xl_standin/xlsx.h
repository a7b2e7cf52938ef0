// The workbook as an .xlsx package (Office Open XML, one worksheet), for the tests to read with a real reader.
// Platform-neutral.
#pragma once

#include <string>

#include "sheet.h"

namespace xl {

// The bytes of the .xlsx file: cells with their values and formats, column widths and formats, merges.
std::string xlsxPackage(const Sheet& sheet);

}  // namespace xl
