#pragma once
// The time clocks' export format: one punch a line, "badge,dd/mm/yyyy hh:mm:ss",
// lines ended by CR LF.
#include "PunchGenerator.h"

#include <filesystem>
#include <string>
#include <vector>

namespace demodata {

const char* clockFileName(Clock clock);

std::string formatPunch(const Punch& punch);

// Writes the whole file; false when it cannot be written completely.
bool writeClockFile(const std::filesystem::path& path, const std::vector<Punch>& punches);

} // namespace demodata
