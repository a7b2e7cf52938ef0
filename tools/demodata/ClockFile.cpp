#include "ClockFile.h"

#include <cstdio>
#include <fstream>

namespace demodata {

const char* clockFileName(Clock clock)
{
    return clock == Clock::Almacen ? "almacen.csv" : "oficinas.csv";
}

std::string formatPunch(const Punch& punch)
{
    const std::chrono::year_month_day date{punch.day};
    char line[64];
    std::snprintf(line, sizeof line, "%d,%02u/%02u/%04d %02d:%02d:%02d", punch.badge,
                  static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                  static_cast<int>(date.year()), punch.second / 3600, punch.second / 60 % 60,
                  punch.second % 60);
    return line;
}

bool writeClockFile(const std::filesystem::path& path, const std::vector<Punch>& punches)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const Punch& punch : punches)
        out << formatPunch(punch) << "\r\n";
    out.close();
    return static_cast<bool>(out);
}

} // namespace demodata
