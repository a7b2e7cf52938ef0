#pragma once
// The employee table empleado.dbf that Asistencias browses, written through
// the runtime's table engine from the same roster as the clock files.
#include <filesystem>
#include <string>
#include <vector>

#include "Roster.h"

namespace demodata {

// NUMERO N(4), NOMBRE C(40), BAJA C(1) ("*" discharged, " " active), in
// badge order. Replaces an existing file; false with `error` set on failure.
bool writeEmployeeTable(const std::filesystem::path& path, const std::vector<Employee>& staff, std::string& error);

} // namespace demodata
