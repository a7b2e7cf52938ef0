// A page of the grid painted, and the current row moved down one row, over in-memory sources of 1,000 and
// 1,000,000 rows: both must cost the same (the walk touches only the visible rows). Each drawn row formats
// its cell text, as a column would. The data-aware grid over a data set on a DBF table of 1,000 and 1,000,000
// records: opening it (the first page) and paging down, as the set's notices make the grid follow, must cost
// the same too (no count or walk of the whole table per page). Run: bench_browse [--benchmark_filter=...];
// the tables go to $TMPDIR (default /tmp).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "framework/browse/model/follow.h"
#include "framework/browse/model/paint_walk.h"
#include "framework/data/data.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/work_areas.h"

namespace {

using namespace vorpex::browse;

constexpr int64_t kScreenRows = 30;

class Rows : public RowSource {
public:
    explicit Rows(int64_t count) : count_(count) {}
    int64_t at = 0;
    int64_t rowsSkipped = 0;  // rows walked over by Skip: the work a real source does per row
    void moveTop() override { at = 0; }
    void moveBottom() override { at = count_ - 1; }
    int64_t skip(int64_t n) override {
        rowsSkipped += n < 0 ? -n : n;
        const int64_t target = std::clamp<int64_t>(at + n, 0, count_ - 1);
        const int64_t moved = target - at;
        at = target;
        return moved;
    }
    bool isBof() override { return at == 0; }
    bool isEof() override { return at == count_ - 1; }
    rt::Value bookmark() override { return rt::Value(static_cast<long long>(at)); }
    void gotoBookmark(const rt::Value& mark) override { at = mark.asInteger(); }
    int64_t keyNo() override { return at + 1; }
    void gotoKey(int64_t key) override { at = std::clamp<int64_t>(key - 1, 0, count_ - 1); }
    int64_t keyCount() override { return count_; }

private:
    int64_t count_;
};

// Draws a row by formatting its cell text.
class Drawing : public GridPort {
public:
    explicit Drawing(Rows& rows) : rows_(rows) {}
    virtual ~Drawing() = default;
    size_t characters = 0;
    void draw() { characters += std::to_string(rows_.at * 7).size(); }
    void cancelEdit() override {}
    void clearSeek() override {}
    void drawCurrentRow(bool) override { draw(); }
    void dataScroll(int) override {}
    void setBarPosition(int64_t) override {}
    void changed(bool) override {}
    void repaint() override {}
    bool offerPastEof() override { return false; }
    bool append() override { return false; }
    int64_t rowCount() override { return kScreenRows; }
    int editMode() override { return kRead; }
    void busy(bool) override {}

private:
    Rows& rows_;
};

void PagePaint(benchmark::State& state) {
    Rows rows(state.range(0));
    Drawing port(rows);
    Viewport view{.len = state.range(0), .rowSel = 15};
    rows.gotoKey(state.range(0) / 2);
    view.keyNo = rows.keyNo();
    for (auto _ : state) {
        paintWalk(rows, view, {.screenRows = kScreenRows}, [&port](const WalkRow&) { port.draw(); });
        benchmark::DoNotOptimize(port.characters);
    }
    state.counters["rows skipped"] = benchmark::Counter(static_cast<double>(rows.rowsSkipped),
                                                        benchmark::Counter::kAvgIterations);
}
BENCHMARK(PagePaint)->Arg(1000)->Arg(1'000'000);

void RowDown(benchmark::State& state) {
    Rows rows(state.range(0));
    Drawing port(rows);
    Viewport view{.len = state.range(0), .rowSel = kScreenRows, .dataRows = kScreenRows};
    Navigator navigator(rows, port, view);
    for (auto _ : state) {
        if (rows.isEof()) {
            state.PauseTiming();
            rows.moveTop();
            state.ResumeTiming();
        }
        navigator.goDown(false);
        benchmark::DoNotOptimize(port.characters);
    }
    state.counters["rows skipped"] = benchmark::Counter(static_cast<double>(rows.rowsSkipped),
                                                        benchmark::Counter::kAvgIterations);
}
BENCHMARK(RowDown)->Arg(1000)->Arg(1'000'000);

// ---- the data-aware grid over a DBF table

// The employee table's shape (NUMERO N 7, NOMBRE C 20, BAJA C 1), `count` records, in a folder of its own.
std::string employeeFolder(int64_t count) {
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path dir =
        std::filesystem::path(tmp ? tmp : "/tmp") / "vorpex-bench" / ("browse-" + std::to_string(count));
    const std::filesystem::path file = dir / "empleado.dbf";
    if (std::filesystem::exists(file)) return dir.string();
    std::filesystem::create_directories(dir);
    using namespace rt::rdd;
    WorkAreas::instance().closeAll();
    Table::create(file.string(), {{"NUMERO", 'N', 7, 0}, {"NOMBRE", 'C', 20, 0}, {"BAJA", 'C', 1, 0}}, {});
    UseOptions o;
    o.newArea = true;
    WorkArea* a = WorkAreas::instance().use(file.string(), o) ? WorkAreas::instance().current() : nullptr;
    for (int64_t i = 1; a && i <= count; ++i) {
        char record[30];
        std::snprintf(record, sizeof record, " %7lldEmpleado %-11lld ", static_cast<long long>(i),
                      static_cast<long long>(i));
        a->table().appendBlank();
        a->table().putRaw(record);
    }
    WorkAreas::instance().closeAll();
    return dir.string();
}

rt::Value callByName(const char* name, std::vector<rt::Value> args = {}) {
    const rt::Function* f = rt::findFunction(name);
    return f ? (*f)(rt::Args(args.data(), args.size())) : rt::Value();
}

rt::Value ask(const rt::Value& o, const char* message, std::initializer_list<rt::Value> args = {}) {
    return rt::send(o, message, args);
}

// An open data set on the table of `count` records (made once per size).
rt::Value employees(int64_t count) {
    static std::map<int64_t, rt::Value> sets;
    rt::Value& set = sets[count];
    if (set.isObject()) return set;
    vorpex::registerDataSets();
    const rt::Value source = ask(callByName("TNTXDATASOURCE"), "New");
    ask(source, "_cConnect", {rt::Value(employeeFolder(count))});
    set = ask(callByName("TDBFDATASET"), "Create", {rt::Value(), source, rt::Value("empleado")});
    ask(set, "Open");
    return set;
}

// The data-aware grid's row source: the set's own operations, quiet, never left on the end-of-file record.
class SetRows : public RowSource {
public:
    explicit SetRows(rt::Value set) : set_(std::move(set)) {}
    void moveTop() override { ask(set_, "GoTop", {quiet}); }
    void moveBottom() override { ask(set_, "GoBottom", {quiet}); }
    int64_t skip(int64_t n) override {
        const int64_t moved = ask(set_, "nSkip", {rt::Value(n), quiet}).asInteger();
        if (n > 0 && ask(set_, "Eof").asLogical()) ask(set_, "nSkip", {rt::Value(-1), quiet});
        return moved;
    }
    bool isBof() override { return ask(set_, "Bof").asLogical(); }
    bool isEof() override { return ask(set_, "Eof").asLogical(); }
    rt::Value bookmark() override { return ask(set_, "Recno"); }
    void gotoBookmark(const rt::Value& mark) override { ask(set_, "GoTo", {mark, quiet}); }
    int64_t keyNo() override { return ask(set_, "KeyNo").asInteger(); }
    void gotoKey(int64_t key) override { ask(set_, "KeyGoto", {rt::Value(key), quiet}); }
    int64_t keyCount() override { return ask(set_, "KeyCount").asInteger(); }
    // A cell of the current row, as a column reads it.
    size_t cell() { return ask(set_, "FieldGet", {rt::Value(2)}).asString().size(); }

private:
    const rt::Value quiet{false};
    rt::Value set_;
};

// The grid's side of following the set: each drawn row reads its cell.
class FollowingGrid : public Drawing {
public:
    explicit FollowingGrid(Rows& unused, SetRows& rows) : Drawing(unused), rows_(rows) {}
    void drawCurrentRow(bool) override { characters += rows_.cell(); }
    void paintPage(Viewport& view) {
        paintWalk(rows_, view, {.screenRows = kScreenRows}, [this](const WalkRow&) { characters += rows_.cell(); });
    }

private:
    SetRows& rows_;
};

// The grid opened on the set: the first page, as the set's "to the top" notice and the paint make it.
void DataGridOpen(benchmark::State& state) {
    SetRows rows(employees(state.range(0)));
    Rows unused(1);
    FollowingGrid grid(unused, rows);
    for (auto _ : state) {
        Viewport view;
        rows.moveTop();
        Follower(rows, grid, view).toTop();
        grid.paintPage(view);
        benchmark::DoNotOptimize(grid.characters);
    }
}
BENCHMARK(DataGridOpen)->Arg(1000)->Arg(1'000'000);

// One page down: the set skips a page, the grid follows its notice and paints the new page.
void DataGridPageDown(benchmark::State& state) {
    SetRows rows(employees(state.range(0)));
    Rows unused(1);
    FollowingGrid grid(unused, rows);
    Viewport view{.rowSel = 1};
    rows.moveTop();
    Follower(rows, grid, view).toTop();
    for (auto _ : state) {
        const int64_t moved = rows.skip(kScreenRows);
        if (moved < kScreenRows) {
            state.PauseTiming();
            rows.moveTop();
            Follower(rows, grid, view).toTop();
            state.ResumeTiming();
            continue;
        }
        Follower(rows, grid, view).skipped(kScreenRows, moved, false);
        grid.paintPage(view);
        benchmark::DoNotOptimize(grid.characters);
    }
}
BENCHMARK(DataGridPageDown)->Arg(1000)->Arg(1'000'000);

}  // namespace

BENCHMARK_MAIN();
