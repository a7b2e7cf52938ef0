// The punch import run natively through the table engine and its NTX orders, the in-memory floor, the data
// generator and the kill-test checker. Usage:
//   bench_import generate <dir> <punches>   write almacen.csv and oficinas.csv
//   bench_import engine <dir>               the attendance program's own import
//   bench_import floor <dir>                same parsing, a hash set, one sequential write
// engine and floor print: wall seconds, processor seconds, records added.
//   bench_import check <dir>                after a kill: table opens, records whole, the index left agrees
//                                           or reports itself corrupt (and its rebuild agrees)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "apps/asistencias/punch_import.h"
#include "punch_files.h"
#include "run_timer.h"
#include "runtime/core/error.h"
#include "runtime/core/settings.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/ntx/ntx_tree.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"

namespace {

using namespace rt;
using namespace rt::rdd;

constexpr const char* punchKeyText = "str(empleado,6)+fecha+hora";

std::string in(const std::string& dir, const char* name) { return (std::filesystem::path(dir) / name).string(); }

int generate(const std::string& dir, long punches) {
    std::filesystem::create_directories(dir);
    std::mt19937_64 rng(12345);
    FILE* files[2] = {std::fopen(in(dir, bench::clockFiles[0]).c_str(), "wb"),
                      std::fopen(in(dir, bench::clockFiles[1]).c_str(), "wb")};
    if (!files[0] || !files[1]) return 1;
    for (long i = 0; i < punches; ++i) {
        int badge = static_cast<int>(rng() % 600) + 1;
        if (badge == 600) badge = 999;  // the clock's spare badge, stored as 195
        int day = static_cast<int>(rng() % 365);
        char line[64];
        std::snprintf(line, sizeof line, "%d,%02d/%02d/%04d %02d:%02d:%02d\n", badge, day % 28 + 1, day / 28 % 12 + 1,
                      2009 + day / 336, 6 + static_cast<int>(rng() % 14), static_cast<int>(rng() % 60),
                      static_cast<int>(rng() % 60));
        FILE* f = files[rng() % 5 < 3 ? 0 : 1];
        std::fputs(line, f);
        if (rng() % 100 < 3) std::fputs(line, files[0] == f ? files[1] : files[0]);  // punched on both clocks
    }
    std::fclose(files[0]);
    std::fclose(files[1]);
    return 0;
}

void setUpRuntime() {
    registerLibraryFunctions();
    registerTableFunctions();
    ntx::registerOrderFunctions();
    setErrorHandler([](Error& e) {
        std::fprintf(stderr, "error: %s\n", describe(e).c_str());
        return ErrorAnswer{ErrorAction::Break, Value()};
    });
    settings().dateFormat = "yyyy/mm/dd";
    settings().century = true;
    settings().exclusive = false;
    settings().deleted = true;
}

WorkArea& useIn(int area, const std::string& file) {
    WorkAreas& areas = WorkAreas::instance();
    areas.select(area);
    UseOptions o;
    if (!areas.use(file, o)) throw std::runtime_error("cannot open " + file);
    return *areas.current();
}

// The attendance program's own import, run in the data folder with nothing to show.
class SilentView : public asistencias::ImportView {
public:
    void status(const std::string&) override {}
    void progressMax(int64_t) override {}
    void progress(int64_t) override {}
};

long engineImport(const std::string& dir) {
    std::filesystem::current_path(dir);
    SilentView view;
    const asistencias::ImportResult result = asistencias::importPunches(view);
    return result.finished ? static_cast<long>(result.added) : -1;
}

// Same parsing, a hash set of keys and one sequential write of the new records (a DBF image); a re-import
// first reads the records already written.
long floorImport(const std::string& dir) {
    std::string out = in(dir, "floor.dat");
    std::unordered_set<std::string> seen;
    std::vector<char> records;
    if (FILE* f = std::fopen(out.c_str(), "rb")) {
        char rec[25];
        while (std::fread(rec, 1, sizeof rec, f) == sizeof rec) seen.emplace(rec + 1, 24);
        std::fclose(f);
    }
    long added = 0;
    bench::forEachPunch(dir, [&](const char* key, int) {
        if (!seen.emplace(key, 24).second) return;
        records.push_back(' ');
        records.insert(records.end(), key, key + 24);
        ++added;
    });
    FILE* f = std::fopen(out.c_str(), "ab");
    std::fwrite(records.data(), 1, records.size(), f);
    std::fclose(f);
    return added;
}

bool whole(const std::string& empleado, const std::string& fecha, const std::string& hora) {
    auto digits = [](const std::string& s, size_t at, size_t n) {
        for (size_t i = at; i < at + n; ++i)
            if (s[i] < '0' || s[i] > '9') return false;
        return true;
    };
    if (fecha.size() != 10 || hora.size() != 8) return false;
    return digits(fecha, 0, 4) && fecha[4] == '/' && digits(fecha, 5, 2) && fecha[7] == '/' && digits(fecha, 8, 2) &&
           digits(hora, 0, 2) && hora[2] == ':' && digits(hora, 3, 2) && hora[5] == ':' && digits(hora, 6, 2) &&
           !empleado.empty();
}

// The order agrees with the table: one key per record, each leading back to its record.
bool orderAgrees(WorkArea& store, uint32_t n) {
    if (store.keyCount() != n) {
        std::printf("the index holds %u keys for %u records\n", store.keyCount(), n);
        return false;
    }
    for (uint32_t r = 1; r <= n; r += 97) {
        store.setFocus(0);
        store.goTo(r);
        char head[16];
        std::snprintf(head, sizeof head, "%6lld", static_cast<long long>(store.fieldGet(1).asInteger()));
        std::string key = head + store.fieldGet(2).asString() + store.fieldGet(3).asString();
        store.setFocus(1);
        if (!store.seek(Value(key), false) || store.recno() != r) {
            std::printf("key of record %u leads to %u\n", r, store.recno());
            return false;
        }
    }
    return true;
}

// After a kill: the table opens, every record its header counts is a whole punch, and the index the killed
// run left either agrees with the table or reports itself as a corrupt index when it opens (then a rebuild,
// or a new index when it has no header to rebuild from, must agree).
int check(const std::string& dir) {
    std::string punches = in(dir, "Checadas.dbf");
    if (!std::filesystem::exists(punches)) return 0;  // killed before the table was made
    WorkArea& store = useIn(3, punches);
    const uint32_t n = store.lastRec();
    for (uint32_t r = 1; r <= n; ++r) {
        store.goTo(r);
        Value e = store.fieldGet(1);
        if (!e.isNumber() || !whole(std::to_string(e.asInteger()), store.fieldGet(2).asString(),
                                    store.fieldGet(3).asString())) {
            std::printf("record %u of %u is not whole\n", r, n);
            return 1;
        }
    }
    const std::string index = in(dir, "Checadas.ntx");
    if (!std::filesystem::exists(index)) return 0;  // killed before the index was made
    std::vector<Error> seen;
    setErrorHandler([&](Error& e) {
        seen.push_back(e);
        return ErrorAnswer{ErrorAction::Default, Value()};
    });
    const char* state = "in step";
    if (!ntx::ordListAdd(store, index)) {
        if (seen.empty() || seen.back().genCode != eg::Corruption || seen.back().filename != index) {
            std::printf("the index fails to open: %s\n", seen.empty() ? "?" : describe(seen.back()).c_str());
            return 1;
        }
        state = "reported on open";
        ntx::IndexRequest req;
        req.bag = index;
        req.key = punchKeyText;
        if (!(store.orderCount() ? ntx::ordListRebuild(store) : ntx::ordCreate(store, req))) return 1;
    }
    if (!orderAgrees(store, n)) return 1;
    WorkAreas::instance().close(3);
    std::printf("ok %u records, index %s\n", n, state);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s generate|engine|floor|check <dir> [punches]\n", argv[0]);
        return 2;
    }
    std::string mode = argv[1], dir = argv[2];
    if (mode == "generate") return generate(dir, argc > 3 ? std::atol(argv[3]) : 100000);
    setUpRuntime();
    try {
        if (mode == "check") return check(dir);
        const bench::RunTimer timer;
        long added = mode == "engine" ? engineImport(dir) : mode == "floor" ? floorImport(dir) : -1;
        if (added < 0) return 2;
        timer.print(added);
    } catch (const Break&) {
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
