// The attendance table for one month (22 weekdays) over generated tables: N employees, each with four punches
// every weekday. Its cost must grow with employees × days (the punch pass looks employees up in a map built
// once), never with employees × punches: from 500 to 2,000 employees the time may grow 4 times, not 16.
// The figure to watch is the 2,000-employee month (176,000 punches): under a second of processor time.
// Run: bench_attendance; the tables go to a scratch folder under $TMPDIR (default /tmp).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "apps/asistencias/attendance.h"
#include "runtime/core/runtime.h"
#include "runtime/core/settings.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"

namespace {

using rt::Value;
using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

constexpr const char* kStart = "2010/03/01";  // a Monday
constexpr const char* kEnd = "2010/03/31";    // 23 weekdays in all
constexpr int kWeekdays = 23;

WorkArea& open(int number, const char* file) {
    WorkAreas& areas = WorkAreas::instance();
    areas.select(number);
    rt::rdd::UseOptions o;
    o.shared = true;
    if (!areas.use(file, o)) {
        std::fprintf(stderr, "cannot open %s\n", file);
        std::exit(1);
    }
    return *areas.current();
}

std::string day(int weekday) {  // the weekday-th weekday of March 2010, from 0
    const int date = 1 + weekday / 5 * 7 + weekday % 5;
    char text[11];
    std::snprintf(text, sizeof text, "2010/03/%02d", date);
    return text;
}

// empleado.dbf with `staff` employees and Checadas.dbf with four punches each weekday of the month.
void makeTables(int staff) {
    rt::rdd::Table::create("empleado.dbf", {{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"BAJA", 'C', 1, 0}}, {});
    WorkArea& e = open(1, "empleado.dbf");
    for (int n = 1; n <= staff; ++n) {
        e.append();
        e.fieldPut(1, Value(n));
        e.fieldPut(2, Value("EMPLEADO " + std::to_string(n)));
        e.fieldPut(3, Value(" "));
    }
    rt::rdd::Table::create("Checadas.dbf", {{"EMPLEADO", 'N', 6, 0}, {"FECHA", 'C', 10, 0}, {"HORA", 'C', 8, 0}},
                           {});
    WorkArea& p = open(9, "Checadas.dbf");
    for (int d = 0; d < kWeekdays; ++d)
        for (const char* time : {"08:52:00", "13:01:00", "14:02:00", "19:40:00"})
            for (int n = 1; n <= staff; ++n) {
                p.append();
                p.fieldPut(1, Value(n));
                p.fieldPut(2, Value(day(d)));
                p.fieldPut(3, Value(time));
            }
    WorkAreas::instance().close(9);
}

void MonthReport(benchmark::State& state) {
    const int staff = static_cast<int>(state.range(0));
    const auto folder = std::filesystem::temp_directory_path() / ("vorpex_attendance_bench_" + std::to_string(staff));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    makeTables(staff);
    WorkArea& employees = *WorkAreas::instance().area(1);
    const asistencias::DateRange range = asistencias::dateRange(kStart, kEnd);
    int64_t rows = 0;
    for (auto _ : state) rows = asistencias::buildAttendanceTable(employees, range);
    if (rows != int64_t{staff} * kWeekdays) state.SkipWithError("wrong number of rows");
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["punches"] = 4.0 * staff * kWeekdays;
    state.counters["per_employee_day"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
    WorkAreas::instance().closeAll();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}
BENCHMARK(MonthReport)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
    rt::settings().deleted = true;
    rt::registerLibraryFunctions();
    rt::rdd::registerTableFunctions();
    rt::ntx::registerOrderFunctions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
