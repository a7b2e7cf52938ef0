// vorpex_demodata <folder> [--weeks N] [--seed N]
// Fills <folder> with the demo data `make run` starts the programs in: the two
// time clocks' exports, almacen.csv and oficinas.csv, and the employee table
// empleado.dbf.
#include "ClockFile.h"
#include "EmployeeTable.h"
#include "Roster.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: vorpex_demodata <folder> [--weeks N] [--seed N]\n");
    return 2;
}

bool parseCount(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < low || n > high)
        return false;
    value = static_cast<int>(n);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-')
        return usage();
    const std::filesystem::path folder = argv[1];
    demodata::PunchPlan plan;
    for (int i = 2; i < argc; i += 2) {
        const std::string option = argv[i];
        int value = 0;
        if (i + 1 >= argc || !parseCount(argv[i + 1], 1, 1000000, value))
            return usage();
        if (option == "--weeks" && value <= 520)
            plan.weeks = value;
        else if (option == "--seed")
            plan.seed = static_cast<unsigned>(value);
        else
            return usage();
    }

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "vorpex_demodata: cannot create %s: %s\n", folder.string().c_str(),
                     error.message().c_str());
        return 1;
    }

    const auto staff = demodata::makeRoster(plan.seed);
    for (demodata::Clock clock : {demodata::Clock::Almacen, demodata::Clock::Oficinas}) {
        const auto punches = demodata::makePunches(staff, clock, plan);
        const auto path = folder / demodata::clockFileName(clock);
        if (!demodata::writeClockFile(path, punches)) {
            std::fprintf(stderr, "vorpex_demodata: cannot write %s\n", path.string().c_str());
            return 1;
        }
        std::printf("%s: %zu punches\n", path.string().c_str(), punches.size());
    }
    const auto table = folder / "empleado.dbf";
    std::string tableError;
    if (!demodata::writeEmployeeTable(table, staff, tableError)) {
        std::fprintf(stderr, "vorpex_demodata: cannot write %s: %s\n", table.string().c_str(), tableError.c_str());
        return 1;
    }
    std::printf("%s: %zu employees\n", table.string().c_str(), staff.size());
    return 0;
}
