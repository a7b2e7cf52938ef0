// A page of the grid painted, and the current row moved down one row, over in-memory sources of 1,000 and
// 1,000,000 rows: both must cost the same (the walk touches only the visible rows). Each drawn row formats
// its cell text, as a column would. Run: bench_browse [--benchmark_filter=...].
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "framework/browse/model/paint_walk.h"

namespace {

using namespace vorpex::browse;

constexpr int64_t kScreenRows = 30;

class Rows : public RowSource {
public:
    explicit Rows(int64_t count) : count_(count) {}
    int64_t at = 0;
    void moveTop() override { at = 0; }
    void moveBottom() override { at = count_ - 1; }
    int64_t skip(int64_t n) override {
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
}
BENCHMARK(RowDown)->Arg(1000)->Arg(1'000'000);

}  // namespace

BENCHMARK_MAIN();
