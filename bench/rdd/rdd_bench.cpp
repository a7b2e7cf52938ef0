// Table engine workloads at 1M records, each measured beside its floor: the same bytes read or written with
// plain buffered stdio. Where that floor does less than the engine must (no per-record work, no header, no sort,
// no sync), a second, fairer floor does that work too; both ratios are printed.
// Run: bench_rdd [--benchmark_filter=...]. Files go to $TMPDIR (default /tmp).
// After the usual table, each workload's processor and wall time as a ratio to its floor's.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/settings.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/work_areas.h"

namespace {

using namespace rt::rdd;

constexpr int kRecords = 1'000'000;
// The punch table's shape: empleado N(6), fecha C(10), hora C(8): 25 bytes a record.
const std::vector<Field> kFields = {{"EMPLEADO", 'N', 6, 0}, {"FECHA", 'C', 10, 0}, {"HORA", 'C', 8, 0}};
constexpr size_t kHeader = 32 + 3 * 32 + 1;
constexpr size_t kRecordLength = 25;

std::string scratch(const std::string& name) {
    const char* tmp = std::getenv("TMPDIR");
    std::filesystem::path dir = std::filesystem::path(tmp ? tmp : "/tmp") / "vorpex-bench";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string recordBytes(int i) {
    char rec[kRecordLength + 1];
    std::snprintf(rec, sizeof rec, " %6d2010/03/%02d%02d:%02d:%02d", i % 1000, 1 + i % 28, i % 24, i % 60, i % 60);
    return std::string(rec, kRecordLength);
}

WorkArea* openTable(const std::string& path) {
    WorkAreas::instance().closeAll();
    UseOptions o;
    o.newArea = true;
    return WorkAreas::instance().use(path, o) ? WorkAreas::instance().current() : nullptr;
}

// A table of kRecords records written fast (through the engine's raw record path).
void makeTable(const std::string& path, int deletedEvery = 0) {
    WorkAreas::instance().closeAll();
    Table::create(path, kFields, {});
    WorkArea* a = openTable(path);
    for (int i = 0; i < kRecords; ++i) {
        std::string r = recordBytes(i);
        if (deletedEvery && i % deletedEvery == 0) r[0] = '*';
        a->table().appendBlank();
        a->table().putRaw(r.data());
    }
    WorkAreas::instance().closeAll();
}

void floorWrite(const std::string& path, size_t bytes) {
    std::vector<char> header(kHeader, 0);
    std::string rec = recordBytes(7);
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(header.data(), 1, header.size(), f);
    for (size_t done = 0; done < bytes; done += kRecordLength) std::fwrite(rec.data(), 1, kRecordLength, f);
    std::fclose(f);
}

size_t floorRead(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    char buf[65536];
    size_t n, sum = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) sum += static_cast<unsigned char>(buf[n - 1]);
    std::fclose(f);
    return sum;
}

// ---- append 1M records --------------------------------------------------------------------------------------

void BM_Append(benchmark::State& state) {
    std::string path = scratch("append.dbf");
    for (auto _ : state) {
        Table::create(path, kFields, {});
        WorkArea* a = openTable(path);
        for (int i = 0; i < kRecords; ++i) {
            a->append();
            a->fieldPut(1, rt::Value(i % 1000));
            a->fieldPut(2, rt::Value("2010/03/25"));
            a->fieldPut(3, rt::Value("08:15:00"));
        }
        WorkAreas::instance().closeAll();
    }
}
BENCHMARK(BM_Append)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AppendFloor(benchmark::State& state) {
    std::string path = scratch("append-floor.dbf");
    for (auto _ : state) floorWrite(path, static_cast<size_t>(kRecords) * kRecordLength);
}
BENCHMARK(BM_AppendFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

// A fairer floor: each record built from its field values as the engine must (the number formatted, the texts
// padded), the header's count and the end marker written at the end.
void BM_AppendFloorFields(benchmark::State& state) {
    std::string path = scratch("append-floor-fields.dbf");
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::vector<char> header(kHeader, 0);
        std::fwrite(header.data(), 1, header.size(), f);
        char rec[kRecordLength];
        for (int i = 0; i < kRecords; ++i) {
            std::memset(rec, ' ', sizeof rec);
            char digits[12];
            auto r = std::to_chars(digits, digits + sizeof digits, i % 1000);
            const size_t w = static_cast<size_t>(r.ptr - digits);
            std::memcpy(rec + 1 + 6 - w, digits, w);
            std::memcpy(rec + 7, "2010/03/25", 10);
            std::memcpy(rec + 17, "08:15:00", 8);
            std::fwrite(rec, 1, sizeof rec, f);
        }
        std::fputc(0x1A, f);
        const uint32_t count = kRecords;
        std::fseek(f, 4, SEEK_SET);
        std::fwrite(&count, 4, 1, f);
        std::fclose(f);
    }
}
BENCHMARK(BM_AppendFloorFields)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- sequential scan with a filter --------------------------------------------------------------------------

void BM_ScanFiltered(benchmark::State& state) {
    std::string path = scratch("scan.dbf");
    makeTable(path);
    WorkArea* a = openTable(path);
    a->setFilter(rt::makeBlock([a](rt::Args) { return rt::Value(a->fieldGet(1).asInt() == 500); }), "EMPLEADO = 500");
    for (auto _ : state) {
        int n = 0;
        for (a->goTop(); !a->eof(); a->skip(1)) ++n;
        benchmark::DoNotOptimize(n);
    }
    WorkAreas::instance().closeAll();
}
BENCHMARK(BM_ScanFiltered)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same walk without a filter: what navigation alone costs.
void BM_ScanUnfiltered(benchmark::State& state) {
    std::string path = scratch("scan.dbf");
    makeTable(path);
    WorkArea* a = openTable(path);
    for (auto _ : state) {
        int n = 0;
        for (a->goTop(); !a->eof(); a->skip(1)) ++n;
        benchmark::DoNotOptimize(n);
    }
    WorkAreas::instance().closeAll();
}
BENCHMARK(BM_ScanUnfiltered)->Unit(benchmark::kMillisecond)->Iterations(3);

// A second floor: the same bytes read with stdio and the same test made on each record in plain code.
void BM_ScanFloorWithTest(benchmark::State& state) {
    std::string path = scratch("scan.dbf");
    makeTable(path);
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        std::vector<char> header(kHeader);
        if (std::fread(header.data(), 1, kHeader, f) != kHeader) state.SkipWithError("short table");
        char rec[kRecordLength];
        int n = 0;
        while (std::fread(rec, 1, kRecordLength, f) == kRecordLength) {
            char field[7] = {};
            std::memcpy(field, rec + 1, 6);
            if (rec[0] != '*' && std::atoi(field) == 500) ++n;
        }
        std::fclose(f);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ScanFloorWithTest)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ScanFloor(benchmark::State& state) {
    std::string path = scratch("scan.dbf");
    makeTable(path);
    for (auto _ : state) benchmark::DoNotOptimize(floorRead(path));
}
BENCHMARK(BM_ScanFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

// A fairer floor for the walk: the same reads, and each record visited as a scan must, copied out as the
// current record and its deleted flag looked at (the floor above touches one byte in 64 KB).
void BM_ScanFloorRecords(benchmark::State& state) {
    std::string path = scratch("scan.dbf");
    makeTable(path);
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        std::vector<char> block(65536 / kRecordLength * kRecordLength);
        if (std::fread(block.data(), 1, kHeader, f) != kHeader) state.SkipWithError("short table");
        char current[kRecordLength];
        int n = 0;
        size_t got;
        while ((got = std::fread(block.data(), 1, block.size(), f)) >= kRecordLength) {
            for (size_t at = 0; at + kRecordLength <= got; at += kRecordLength) {
                std::memcpy(current, block.data() + at, kRecordLength);
                benchmark::DoNotOptimize(current);
                if (current[0] != '*') ++n;
            }
        }
        std::fclose(f);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ScanFloorRecords)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- APPEND FROM ... DELIMITED WITH BLANK of 1M lines -------------------------------------------------------

std::string makeClockFile() {
    std::string path = scratch("clock.csv");
    FILE* f = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < kRecords; ++i)
        std::fprintf(f, "%d,%02d/03/2010 %02d:%02d:%02d\r\n", i % 1000, 1 + i % 28, i % 24, i % 60, i % 60);
    std::fclose(f);
    return path;
}

void BM_AppendDelimited(benchmark::State& state) {
    std::string text = makeClockFile();
    std::string path = scratch("delim.dbf");
    for (auto _ : state) {
        Table::create(path, {{"IMPORTAR", 'C', 50, 0}, {"HORA", 'C', 8, 0}}, {});
        WorkArea* a = openTable(path);
        benchmark::DoNotOptimize(appendFromDelimited(*a, text));
        WorkAreas::instance().closeAll();
    }
}
BENCHMARK(BM_AppendDelimited)->Unit(benchmark::kMillisecond)->Iterations(3);

// Floor: read the text with stdio and write the same number of 59-byte records.
void BM_AppendDelimitedFloor(benchmark::State& state) {
    std::string text = makeClockFile();
    std::string path = scratch("delim-floor.dbf");
    for (auto _ : state) {
        FILE* in = std::fopen(text.c_str(), "rb");
        FILE* out = std::fopen(path.c_str(), "wb");
        char line[256], rec[59];
        while (std::fgets(line, sizeof line, in)) {
            std::memset(rec, ' ', sizeof rec);
            char* blank = std::strchr(line, ' ');
            size_t first = blank ? static_cast<size_t>(blank - line) : std::strlen(line);
            std::memcpy(rec + 1, line, std::min<size_t>(first, 50));
            if (blank) std::memcpy(rec + 51, blank + 1, 8);
            std::fwrite(rec, 1, sizeof rec, out);
        }
        std::fclose(in);
        std::fclose(out);
    }
}
BENCHMARK(BM_AppendDelimitedFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- pack with 10% deleted ----------------------------------------------------------------------------------

void BM_Pack(benchmark::State& state) {
    std::string path = scratch("pack.dbf");
    for (auto _ : state) {
        state.PauseTiming();
        makeTable(path, 10);
        WorkArea* a = openTable(path);
        state.ResumeTiming();
        a->pack();
        WorkAreas::instance().closeAll();
    }
}
BENCHMARK(BM_Pack)->Unit(benchmark::kMillisecond)->Iterations(3);

// Floor: read the table and write the kept 90% to another file.
void BM_PackFloor(benchmark::State& state) {
    std::string path = scratch("pack-floor.dbf");
    makeTable(path, 10);
    std::string out = scratch("pack-floor-out.dbf");
    for (auto _ : state) {
        benchmark::DoNotOptimize(floorRead(path));
        floorWrite(out, static_cast<size_t>(kRecords) * kRecordLength * 9 / 10);
    }
}
BENCHMARK(BM_PackFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- SORT TO of 1M records ----------------------------------------------------------------------------------

void BM_Sort(benchmark::State& state) {
    std::string path = scratch("sort.dbf");
    makeTable(path);
    WorkArea* a = openTable(path);
    for (auto _ : state) sortTo(*a, scratch("sorted.dbf"), "EMPLEADO");
    WorkAreas::instance().closeAll();
}
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortFloor(benchmark::State& state) {
    std::string path = scratch("sort.dbf");
    makeTable(path);
    std::string out = scratch("sorted-floor.dbf");
    for (auto _ : state) {
        benchmark::DoNotOptimize(floorRead(path));
        floorWrite(out, static_cast<size_t>(kRecords) * kRecordLength);
    }
}
BENCHMARK(BM_SortFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

// A fairer floor for SORT TO: the same bytes read and written, plus what any sort must add: the 1M keys parsed
// and sorted with their record numbers, and the result synced to disk as SORT TO syncs its table. (The records
// go out in table order: gathering them in key order is left out, so this floor stays below any real sort.)
void BM_SortFloorSorted(benchmark::State& state) {
    std::string path = scratch("sort.dbf");
    makeTable(path);
    std::string out = scratch("sorted-floor-sorted.dbf");
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        std::vector<char> block(65536 / kRecordLength * kRecordLength);
        if (std::fread(block.data(), 1, kHeader, f) != kHeader) state.SkipWithError("short table");
        std::vector<uint64_t> keyed;
        keyed.reserve(kRecords);
        size_t got;
        while ((got = std::fread(block.data(), 1, block.size(), f)) >= kRecordLength) {
            for (size_t at = 0; at + kRecordLength <= got; at += kRecordLength) {
                char field[7] = {};
                std::memcpy(field, block.data() + at + 1, 6);
                keyed.push_back(static_cast<uint64_t>(std::atoi(field)) << 32 | keyed.size());
            }
        }
        std::fclose(f);
        std::sort(keyed.begin(), keyed.end());
        benchmark::DoNotOptimize(keyed.data());
        floorWrite(out, static_cast<size_t>(kRecords) * kRecordLength);
        FILE* o = std::fopen(out.c_str(), "rb+");
        fdatasync(fileno(o));
        std::fclose(o);
    }
}
BENCHMARK(BM_SortFloorSorted)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---- ratios to the floors ------------------------------------------------------------------------------------

// Each workload and the floor it is measured against.
const std::pair<const char*, const char*> kFloors[] = {
    {"BM_Append", "BM_AppendFloor"},
    {"BM_Append", "BM_AppendFloorFields"},
    {"BM_ScanFiltered", "BM_ScanFloorWithTest"},
    {"BM_ScanUnfiltered", "BM_ScanFloor"},
    {"BM_ScanUnfiltered", "BM_ScanFloorRecords"},
    {"BM_AppendDelimited", "BM_AppendDelimitedFloor"},
    {"BM_Pack", "BM_PackFloor"},
    {"BM_Sort", "BM_SortFloor"},
    {"BM_Sort", "BM_SortFloorSorted"},
};

// The console table as usual, then the ratios of the pairs that both ran.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                times_[r.run_name.function_name] = {r.GetAdjustedCPUTime(), r.GetAdjustedRealTime()};
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-20s %-24s %8s %8s\n", "workload", "floor", "cpu_x", "wall_x");
        for (const auto& [work, floor] : kFloors) {
            auto w = times_.find(work), f = times_.find(floor);
            if (w == times_.end() || f == times_.end() || f->second.cpu <= 0 || f->second.wall <= 0) continue;
            std::printf("%-20s %-24s %8.2f %8.2f\n", work, floor, w->second.cpu / f->second.cpu,
                        w->second.wall / f->second.wall);
        }
    }

private:
    struct Times {
        double cpu, wall;
    };
    std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
