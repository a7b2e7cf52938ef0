// The grid on a hidden form under Wine, over an in-memory source of 50 rows given through the grid's
// row-source events: header text, cell text, grid lines, the selected row's colour and the record selector's
// pointer found at their pixels; scroll-bar messages moving the current row and what is painted; the paint
// leaving the source on its row; columns, the column menu, the saved layout and the selector's width rules.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/browse/browse.h"
#include "framework/browse/browse_wiring.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/grid_edit.h"
#include "framework/browse/popup_choice.h"
#include "framework/browse/rec_sel.h"
#include "framework/controls/controls.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/native/casts.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

using native::number;
Value block(std::function<Value(rt::Args)> fn) { return Value(rt::makeBlock(std::move(fn))); }

// Rows identified by number; the current one is `at` (0-based).
struct Rows {
    std::vector<int64_t> ids;
    size_t at = 0;
    std::vector<int64_t> fetched;  // the rows whose cells were asked for, in order
    explicit Rows(int64_t count) {
        for (int64_t i = 1; i <= count; ++i) ids.push_back(i);
    }
    int64_t current() const { return ids.empty() ? 0 : ids[at]; }
    void put(int64_t id) {
        const auto it = std::find(ids.begin(), ids.end(), id);
        if (it != ids.end()) at = static_cast<size_t>(it - ids.begin());
    }
    int64_t skip(int64_t n) {
        if (ids.empty()) return 0;
        const int64_t target = std::clamp<int64_t>(static_cast<int64_t>(at) + n, 0, static_cast<int64_t>(ids.size()) - 1);
        const int64_t moved = target - static_cast<int64_t>(at);
        at = static_cast<size_t>(target);
        return moved;
    }
};

constexpr COLORREF kSelected = RGB(10, 200, 30);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class Grid : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        registerBrowse();
        makeForm(false, 420, 320);
    }
    void TearDown() override {
        browse::setPopupChooser({});
        grid = Value();
        ControlTest::TearDown();
    }

    // Wires the grid's row-source events to `rows`.
    void connect(const Value& g) {
        Rows* r = rows.get();
        rt::send(g, "_OnSkip", {block([r](rt::Args a) { return number(r->skip(rt::arg(a, 1).asInteger())); })});
        rt::send(g, "_OnBof", {block([r](rt::Args) { return Value(r->ids.empty() || r->at == 0); })});
        rt::send(g, "_OnEof", {block([r](rt::Args) { return Value(r->ids.empty() || r->at + 1 == r->ids.size()); })});
        rt::send(g, "_OnGoTop", {block([r](rt::Args) {
                      r->at = 0;
                      return Value(true);
                  })});
        rt::send(g, "_OnGoBottom", {block([r](rt::Args) {
                      r->at = r->ids.empty() ? 0 : r->ids.size() - 1;
                      return Value(true);
                  })});
        rt::send(g, "_OnBookMark", {block([r](rt::Args a) {
                      if (rt::arg(a, 1).isNumber()) r->put(rt::arg(a, 1).asInteger());
                      return number(r->current());
                  })});
        rt::send(g, "_OnKeyNo", {block([r](rt::Args a) {
                      const int64_t key = rt::arg(a, 1).asInteger();
                      if (key >= 1 && key <= static_cast<int64_t>(r->ids.size())) r->at = static_cast<size_t>(key - 1);
                      return number(r->ids.empty() ? 0 : static_cast<int64_t>(r->at) + 1);
                  })});
        rt::send(g, "_OnKeyCount", {block([r](rt::Args) { return number(static_cast<int64_t>(r->ids.size())); })});
    }

    Value column(const Value& g, const char* header, int64_t width, bool names) {
        Value c = rt::send(g, "AddCol");
        rt::send(c, "_cHeader", {Value(header)});
        rt::send(c, "_nWidth", {number(width)});
        Rows* r = rows.get();
        rt::send(c, "_OnGetData", {block([r, names](rt::Args) {
                      r->fetched.push_back(r->current());
                      return names ? Value("Empleado " + std::to_string(r->current())) : number(r->current());
                  })});
        return c;
    }

    // A grid of two columns, "Número" 60 and "Nombre" 150, with black lines and the row style of cursor.
    Value makeGrid(int64_t count = 50, const std::function<void(const Value&)>& before = {}) {
        rows = std::make_unique<Rows>(count);
        grid = makeControl(TBrowse::classRecord(), form, 0, 0, 320, 260, [&](const Value& g) {
            connect(g);
            column(g, "Número", 60, false);
            column(g, "Nombre", 150, true);
            rt::send(g, "_nRowDividerStyle", {1});
            rt::send(g, "_nColDividerStyle", {1});
            rt::send(g, "_nMarqueeStyle", {5});
            rt::send(g, "_nClrSelPane", {number(kSelected)});
            rt::send(g, "_nClrSelFocusPane", {number(kSelected)});
            rt::send(g, "SetColor", {number(RGB(0, 0, 0)), number(kWhite)});  // whatever the system's colours
            if (before) before(g);
        });
        rt::send(grid, "Refresh", {true});
        return grid;
    }

    int64_t get(const char* member) const { return rt::send(grid, member).asInteger(); }
    XBrowse& typed() const { return *rt::objectAs<XBrowse>(grid); }

    // The grid's client area as its paint leaves it.
    std::unique_ptr<MemoryCanvas> paint() {
        RECT client{};
        GetClientRect(hwndOf(grid), &client);
        auto canvas = std::make_unique<MemoryCanvas>(client.right, client.bottom);
        rows->fetched.clear();
        SendMessageA(hwndOf(grid), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->dc()), PRF_CLIENT);
        return canvas;
    }
    // Top of screen row n (1-based).
    int64_t rowTop(int64_t n) const { return get("FirstDataRow") + (n - 1) * get("nIntRowHeight"); }

    static int darkPixels(const MemoryCanvas& c, RECT r) {
        int dark = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF p = c.at(x, y);
                if (GetRValue(p) + GetGValue(p) + GetBValue(p) < 200) ++dark;
            }
        return dark;
    }

    std::unique_ptr<Rows> rows;
    Value grid;
};

TEST_F(Grid, PaintsTheCellsLinesSelectionAndPointerAtTheirPixels) {
    makeGrid();
    EXPECT_EQ(get("nLen"), 50);
    EXPECT_EQ(get("nKeyNo"), 1);
    const int64_t pitch = get("nIntRowHeight"), top1 = rowTop(1), top2 = rowTop(2);
    EXPECT_GE(pitch, 19) << "at least 18, plus the row line";
    auto c = paint();
    ASSERT_TRUE(c->ready());
    // The columns start after the 24-pixel selector: Número 24..84, Nombre 84..234.
    EXPECT_EQ(c->at(220, static_cast<int>(top1 + 4)), kSelected) << "the current row in the selection colour";
    EXPECT_EQ(c->at(220, static_cast<int>(top2 + 4)), kWhite) << "the next row is not selected";
    EXPECT_EQ(c->at(c->width() - 3, static_cast<int>(top1 + 4)), kSelected) << "row style: the strip after the columns too";
    EXPECT_GT(darkPixels(*c, {88, static_cast<LONG>(top2 + 2), 180, static_cast<LONG>(top2 + pitch - 2)}), 10)
        << "a cell text";
    EXPECT_EQ(c->at(150, static_cast<int>(top1 + pitch - 1)), RGB(0, 0, 0)) << "the row line below row 1";
    EXPECT_EQ(c->at(24 + 60 - 2, static_cast<int>(top2 + 5)), RGB(0, 0, 0)) << "the column line after Número";
    EXPECT_GT(darkPixels(*c, {7, static_cast<LONG>(top1), 19, static_cast<LONG>(top1 + pitch - 1)}), 3)
        << "the pointer on the current row";
    EXPECT_EQ(darkPixels(*c, {7, static_cast<LONG>(top2), 19, static_cast<LONG>(top2 + pitch - 2)}), 0)
        << "no pointer on the other rows";

    // The header's own painting, item 2 (after the selector's empty item) shows "Número".
    HWND header = hwndOf(rt::send(grid, "oHeader"));
    ASSERT_TRUE(header);
    RECT item{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.left, 24);
    EXPECT_EQ(item.right, 84);
    RECT hr{};
    GetClientRect(header, &hr);
    MemoryCanvas h(hr.right, hr.bottom, kWhite);
    SendMessageA(header, WM_PAINT, reinterpret_cast<WPARAM>(h.dc()), 0);  // the control paints into a DC given
    EXPECT_GT(darkPixels(h, {item.left + 2, 3, item.right - 2, hr.bottom - 3}), 10) << "the header text";
}

TEST_F(Grid, ScrollMessagesMoveTheCurrentRowAndThePaint) {
    makeGrid();
    const int64_t screen = get("RowCount");
    ASSERT_GT(screen, 5);
    HWND w = hwndOf(grid);
    auto selectedRow = [this](const MemoryCanvas& c) {
        for (int64_t n = 1; n <= get("RowCount"); ++n)
            if (c.at(220, static_cast<int>(rowTop(n) + 4)) == kSelected) return n;
        return int64_t{0};
    };
    SendMessageA(w, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(get("nKeyNo"), 2);
    EXPECT_EQ(get("nRowSel"), 2);
    EXPECT_EQ(rows->current(), 2);
    EXPECT_EQ(selectedRow(*paint()), 2);

    SendMessageA(w, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(get("nKeyNo"), 2 + screen) << "a page keeps the screen row";
    EXPECT_EQ(get("nRowSel"), 2);
    auto c = paint();
    EXPECT_EQ(selectedRow(*c), 2);
    ASSERT_FALSE(rows->fetched.empty());
    EXPECT_EQ(rows->fetched.front(), 1 + screen) << "screen row 1 shows the row above the current one";

    SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), 0);
    EXPECT_EQ(get("nKeyNo"), 30);
    EXPECT_EQ(rows->current(), 30);
    SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    EXPECT_EQ(get("nKeyNo"), 50) << "the thumb at the end goes to the bottom";
    EXPECT_EQ(get("nRowSel"), screen) << "the last row on the last screen row";
    EXPECT_EQ(selectedRow(*paint()), screen);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(w, SB_VERT, &info);
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nMax, 50);
    EXPECT_EQ(info.nPos, 50);
    SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
    EXPECT_EQ(get("nKeyNo"), 1);
    EXPECT_EQ(get("nRowSel"), 1);
    SendMessageA(w, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(get("nKeyNo"), 1) << "nothing above the first row";
    SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20), 0);
    EXPECT_EQ(get("nKeyNo"), 1) << "the grid does not follow the thumb while it is dragged";
}

TEST_F(Grid, ScrollBarsBarHeightsAndImagesAnswerByName) {
    makeGrid();
    const HWND w = hwndOf(grid);
    auto vertical = [w] {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(w, SB_VERT, &info);
        return info;
    };
    EXPECT_TRUE(rt::send(grid, "GetVScroll").asLogical());
    const Value range = rt::send(grid, "GetVRange");
    ASSERT_TRUE(range.isArray());
    ASSERT_EQ(range.asArray()->size(), 2u);
    EXPECT_EQ(range.asArray()->items[0].asInteger(), 1);
    EXPECT_EQ(range.asArray()->items[1].asInteger(), 50);
    rt::send(grid, "SetVPos", {number(20)});
    EXPECT_EQ(rt::send(grid, "GetVPos").asInteger(), 20);
    rt::send(grid, "SetVRange", {number(1), number(10)});
    EXPECT_EQ(vertical().nMax, 10);
    EXPECT_EQ(vertical().nPage, 1u) << "a range comes with a page of one row";
    EXPECT_EQ(vertical().nPos, 10) << "the position stays inside the range";
    rt::send(grid, "SetVPage", {number(3)});
    EXPECT_EQ(vertical().nPage, 3u);

    const HWND header = hwndOf(rt::send(grid, "oHeader"));
    rt::send(grid, "SetHeaderHeight", {number(30)});
    RECT r{};
    GetWindowRect(header, &r);
    EXPECT_EQ(r.bottom - r.top, 30);
    rt::send(grid, "SetHeaderHeight");
    EXPECT_EQ(get("nHeaderHeight"), 30) << "nothing given, nothing changed";

    const Value own = rt::send(grid, "oImageList");
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    EXPECT_EQ(rt::send(grid, "AddImage", {number(reinterpret_cast<intptr_t>(bitmap))}).asInteger(), 1);
    DeleteObject(bitmap);
    EXPECT_EQ(rt::send(own, "GetImageCount").asInteger(), 1);
    const Value other = createByClassName("TImageList", "New", {form});
    rt::send(grid, "_oImageList", {other});
    EXPECT_TRUE(rt::send(grid, "oImageList").sameAs(other));
    EXPECT_TRUE(rt::send(rt::send(grid, "oHeader"), "oImageList").sameAs(other)) << "the header shows it too";
    EXPECT_EQ(rt::send(own, "Handle").asInteger(), 0) << "the grid's own list it replaced is ended";
}

TEST_F(Grid, PaintingLeavesTheSourceOnTheCurrentRow) {
    makeGrid();
    for (int i = 0; i < 7; ++i) rt::send(grid, "GoDown");
    ASSERT_EQ(get("nRowSel"), 8);
    rt::send(grid, "GoTo", {25});
    ASSERT_EQ(get("nKeyNo"), 25);
    EXPECT_EQ(get("nRowSel"), 8) << "the row keeps its screen row when enough rows lie above it";
    const int64_t rowSel = get("nRowSel");
    paint();
    EXPECT_EQ(rows->current(), 25);
    EXPECT_EQ(get("nKeyNo"), 25);
    // Someone else deletes rows above the current one: the paint shows it higher, and stays on it.
    for (int64_t id = 20; id < 25; ++id) rows->ids.erase(std::find(rows->ids.begin(), rows->ids.end(), id));
    rows->put(25);
    rows->ids.erase(rows->ids.begin(), rows->ids.begin() + 15);  // rows 1..15 too: 4 rows left above
    rows->put(25);
    paint();
    EXPECT_EQ(rows->current(), 25);
    EXPECT_LE(get("nRowSel"), 5);
    EXPECT_LE(get("nRowSel"), rowSel);
}

TEST_F(Grid, EmptySourcePaintsAnEmptyDataArea) {
    makeGrid(0);
    EXPECT_EQ(get("nLen"), 0);
    auto c = paint();
    EXPECT_EQ(c->at(220, static_cast<int>(rowTop(1) + 4)), kWhite);
    SendMessageA(hwndOf(grid), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(hwndOf(grid), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(get("nKeyNo"), 0);
    EXPECT_EQ(get("nEditMode"), 0) << "a line down on an empty grid starts no append";
}

TEST_F(Grid, ColumnListKeepsItsNumbering) {
    makeGrid();
    Value inserted = rt::send(grid, "InsCol", {2});
    auto cols = rt::send(grid, "aCols").asArray();
    ASSERT_EQ(cols->size(), 3u);
    EXPECT_EQ(rt::send(cols->at1(1), "nIndex").asInteger(), 1);
    EXPECT_EQ(rt::send(cols->at1(2), "nIndex").asInteger(), 2);
    EXPECT_EQ(rt::send(cols->at1(3), "nIndex").asInteger(), 3) << "the column after it moved on";
    EXPECT_FALSE(rt::send(grid, "DelCol", {9}).asLogical());
    EXPECT_FALSE(rt::send(grid, "DelCol", {0}).asLogical());
    EXPECT_TRUE(rt::send(grid, "DelCol", {inserted}).asLogical());
    ASSERT_EQ(cols->size(), 2u);
    EXPECT_EQ(rt::send(cols->at1(2), "nIndex").asInteger(), 2);
    EXPECT_EQ(rt::send(cols->at1(2), "cHeader").asString(), "Nombre");

    rt::send(grid, "_nFreeze", {1});
    rt::send(grid, "SwapCols", {1, 2});
    EXPECT_EQ(rt::send(cols->at1(1), "cHeader").asString(), "Número") << "a frozen column does not swap";
    rt::send(grid, "_nFreeze", {0});
    rt::send(grid, "SwapCols", {1, 2});
    EXPECT_EQ(rt::send(cols->at1(1), "cHeader").asString(), "Nombre");
    EXPECT_EQ(rt::send(rt::send(grid, "ColWithHeader", {Value("NOMBRE")}), "nIndex").asInteger(), 2)
        << "found by its header in any case; the swap kept each column's identity";
}

TEST_F(Grid, SavedLayoutRoundTripsAndNeverLosesAColumn) {
    makeGrid();
    EXPECT_EQ(rt::send(grid, "SaveState").asString(), "0;1:60:S;2:150:S");
    rt::send(grid, "RestoreState", {Value("0;2:80:S;1:61:H")});
    auto cols = rt::send(grid, "aCols").asArray();
    EXPECT_EQ(rt::send(cols->at1(1), "cHeader").asString(), "Nombre");
    EXPECT_EQ(rt::send(cols->at1(1), "nWidth").asInteger(), 80);
    EXPECT_FALSE(rt::send(cols->at1(2), "lVisible").asLogical());
    EXPECT_EQ(rt::send(grid, "aDisplay").asArray()->size(), 1u);
    EXPECT_EQ(rt::send(grid, "SaveState").asString(), "0;2:80:S;1:61:H");
    for (const char* damaged : {"0;2:80:S;2:80:S", "0;7:50:S;1:60:S", "x;;;", "0;1:60"}) {
        rt::send(grid, "RestoreState", {Value(damaged)});
        ASSERT_EQ(cols->size(), 2u) << damaged;
        EXPECT_NE(rt::send(cols->at1(1), "nIndex").asInteger(), rt::send(cols->at1(2), "nIndex").asInteger())
            << damaged;
    }
}

TEST_F(Grid, AlignmentReachesTheCellAndTheHeaderItem) {
    makeGrid(50, [](const Value& g) {
        rt::send(rt::send(g, "aCols").asArray()->at1(2), "_nAlignment", {66});  // right, header centred
    });
    HWND header = hwndOf(rt::send(grid, "oHeader"));
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
    auto c = paint();
    const int64_t top = rowTop(2), pitch = get("nIntRowHeight");
    // Nombre spans 84..234: the text sits against the right edge.
    EXPECT_GT(darkPixels(*c, {170, static_cast<LONG>(top + 2), 230, static_cast<LONG>(top + pitch - 2)}), 10);
    EXPECT_EQ(darkPixels(*c, {86, static_cast<LONG>(top + 2), 110, static_cast<LONG>(top + pitch - 2)}), 0);
}

TEST_F(Grid, ColumnMenuHidesAColumnButNeverTheLastOneShown) {
    makeGrid();
    std::vector<browse::MenuChoice> offered;
    int64_t answer = 2;
    browse::setPopupChooser([&](const std::vector<browse::MenuChoice>& choices) {
        offered = choices;
        return answer;
    });
    auto cols = rt::send(grid, "aCols").asArray();
    rt::send(cols->at1(1), "SetColumns", {10, 10});
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_TRUE(offered[0].checked && offered[0].enabled);
    EXPECT_FALSE(rt::send(cols->at1(2), "lVisible").asLogical()) << "the choice toggled the column";
    EXPECT_EQ(rt::send(grid, "aDisplay").asArray()->size(), 1u);
    answer = 0;
    rt::send(cols->at1(1), "SetColumns", {10, 10});
    EXPECT_FALSE(offered[0].enabled) << "the only column on screen cannot be hidden";
    EXPECT_FALSE(offered[1].checked);
    rt::send(grid, "_lAllowColHiding", {false});
    offered.clear();
    rt::send(cols->at1(1), "SetColumns", {10, 10});
    EXPECT_TRUE(offered.empty()) << "no menu without column hiding";
}

TEST_F(Grid, RecordSelectorWidthsAndReuse) {
    Value early;
    makeGrid(50, [&early](const Value& g) {
        early = rt::send(Value(TBrwRecSel::classRecord().instantiate()), "Create", {g});
    });
    EXPECT_TRUE(rt::send(grid, "oRecSel").sameAs(early)) << "a selector made before the grid is reused";
    EXPECT_EQ(rt::send(early, "nWidth").asInteger(), 24);
    rt::send(early, "_nWidth", {5});
    EXPECT_EQ(rt::send(early, "nWidth").asInteger(), 10);
    rt::send(early, "_nWidth", {0});
    EXPECT_EQ(rt::send(early, "nWidth").asInteger(), get("nHeaderHeight")) << "square with nothing to show";
    EXPECT_EQ(get("FirstCol"), get("nHeaderHeight"));
    rt::send(grid, "SetRecSel", {false});
    EXPECT_TRUE(rt::send(grid, "oRecSel").isNil());
    EXPECT_EQ(get("FirstCol"), 0);
}

TEST_F(Grid, ChangeEventTellsRowMovesFromColumnMoves) {
    makeGrid();
    std::vector<bool> changes;
    rt::send(grid, "_OnChange", {block([&changes](rt::Args a) {
                 changes.push_back(rt::arg(a, 1).asLogical());
                 return Value();
             })});
    rt::send(grid, "GoDown");
    rt::send(grid, "_nMarqueeStyle", {2});
    rt::send(grid, "GoRight");
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(get("nColSel"), 2);
}


// The colour setters by name: each paint after one shows the new colour, the lines of the fore-colour style
// included (their pen follows the text colour).
TEST_F(Grid, ColourSettersRepaintInTheNewColours) {
    makeGrid();
    const int64_t pitch = get("nIntRowHeight");
    const auto at = [this](const MemoryCanvas& c, int x, int64_t row) {
        return c.at(x, static_cast<int>(rowTop(row) + 4));
    };
    constexpr COLORREF red = RGB(200, 0, 0), yellow = RGB(240, 240, 0), blue = RGB(0, 0, 200);
    rt::send(grid, "SetClrSelPane", {number(red)});
    rt::send(grid, "SetClrSelFocusPane", {number(red)});
    rt::send(grid, "SetClrAltPane", {number(yellow)});
    rt::send(grid, "_nColDividerStyle", {3});
    rt::send(grid, "SetClrText", {number(blue)});
    auto c = paint();
    EXPECT_EQ(at(*c, 220, 1), red) << "the current row";
    EXPECT_EQ(at(*c, 220, 2), kWhite) << "an even row";
    EXPECT_EQ(at(*c, 220, 3), yellow) << "an odd row in the alternate pane";
    EXPECT_EQ(c->at(24 + 60 - 2, static_cast<int>(rowTop(2) + 5)), blue) << "a fore-colour line in the new text colour";
    EXPECT_EQ(rt::send(grid, "nClrText").asInteger(), static_cast<int64_t>(blue));

    rt::send(grid, "SetClrPane", {number(RGB(0, 120, 0))});
    EXPECT_EQ(at(*paint(), 220, 2), RGB(0, 120, 0)) << "the background";

    // The line painters by name, into a DC of the caller's.
    MemoryCanvas lines(c->width(), c->height(), kWhite);
    rt::send(grid, "_nColDividerStyle", {1});
    rt::send(grid, "_nRowDividerStyle", {1});
    for (const char* painter : {"PaintVerticalLines", "PaintHorizontalLines", "PaintRecordSelector"})
        rt::send(grid, painter, {number(reinterpret_cast<intptr_t>(lines.dc()))});
    EXPECT_EQ(lines.at(24 + 60 - 2, static_cast<int>(rowTop(2) + 5)), RGB(0, 0, 0)) << "a column line";
    EXPECT_EQ(lines.at(150, static_cast<int>(rowTop(1) + pitch - 1)), RGB(0, 0, 0)) << "a row line";
    EXPECT_EQ(lines.at(24 - 2, static_cast<int>(rowTop(2) + 5)), GetSysColor(COLOR_BTNSHADOW)) << "the selector's edge";
}

TEST_F(Grid, RedrawTurnedOnLaysOutTheColumnsChangedMeanwhile) {
    makeGrid();
    auto cols = rt::send(grid, "aCols").asArray();
    rt::send(grid, "_lRedraw", {false});
    rt::send(cols->at1(2), "_lVisible", {false});
    EXPECT_EQ(rt::send(grid, "aDisplay").asArray()->size(), 2u) << "nothing laid out while the redraw is off";
    rt::send(grid, "SetRedraw", {true});
    EXPECT_TRUE(rt::send(grid, "lRedraw").asLogical());
    EXPECT_EQ(rt::send(grid, "aDisplay").asArray()->size(), 1u);
    EXPECT_EQ(rt::send(cols->at1(2), "nPos").asInteger(), 0);
}

TEST_F(Grid, RecordSelectorColoursAndPointerBySetter) {
    makeGrid();
    const Value selector = rt::send(grid, "oRecSel");
    const int64_t pitch = get("nIntRowHeight"), top1 = rowTop(1);
    rt::send(selector, "_nClrPane", {number(RGB(120, 200, 250))});
    auto c = paint();
    EXPECT_EQ(c->at(2, static_cast<int>(rowTop(2) + 4)), RGB(120, 200, 250)) << "the selector's pane";
    rt::send(selector, "_lRecordPointer", {false});
    c = paint();
    EXPECT_EQ(darkPixels(*c, {7, static_cast<LONG>(top1), 19, static_cast<LONG>(top1 + pitch - 2)}), 0)
        << "no pointer once turned off";
    const Value font = rt::send(grid, "GetFont");
    EXPECT_TRUE(rt::send(selector, "oFont").sameAs(font)) << "the grid's font while lParentFont";
}

// Every member the grid, its columns and its record selector declare answers by name (programs and the
// framework send them so).
TEST_F(Grid, MembersAnswerByName) {
    makeGrid();
    const std::pair<Value, std::vector<const char*>> owners[] = {
        {grid, {
             "New", "Create", "Free", "AddCol", "InsCol", "DelCol", "SwapCols", "MoveCol", "Refresh",
             "RefreshCurrent", "Refill", "GoUp", "GoDown", "GoPageUp", "GoPageDown", "GoTop", "GoBottom", "GoTo",
             "GoLeft", "GoRight", "GoLeftMost", "GoRightMost", "GoHPos", "Select", "SelectAll", "SelectNone",
             "Seek", "CancelEdit", "SaveState", "RestoreState", "Edit", "Append", "Insert", "Delete", "Reset",
             "ColWithHeader", "SelectCol", "ColAtIndex", "ColAtPos", "SelectedCol", "ColPos",
             "SelectCellFromPoint", "Adjust", "AddImage", "IsMultipleEdit", "IsEditable", "IsEof", "IsBof",
             "BookMark", "KeyCount", "KeyNo", "MouseRowPos", "MouseColPos", "MoveTop", "MoveBottom", "Skip",
             "SetFilter", "SetClrText", "SetClrPane", "SetClrAltPane", "SetClrSelText", "SetClrSelPane",
             "SetClrSelFocusText", "SetClrSelFocusPane", "SetHeader", "SetFooter", "SetDataLines", "CreateHeader",
             "CreateFooter", "SetRecSel", "SetRowDividerStyle", "SetColDividerStyle", "AdjustColWidth",
             "SetRedraw", "Click", "VPClick", "OrderOff", "GetFreeze", "RowEdit", "ColDrag", "ColTrack",
             "ColBegTrack", "WMEraseBkgnd", "WMPaint", "PaintVerticalLines", "PaintHorizontalLines",
             "PaintRecordSelector", "DrawLine", "EraseData", "WMSize", "HasFocus", "WMSetFocus", "WMKillFocus",
             "SetImageList", "SetVScroll", "SetHScroll", "GetVScroll", "GetHScroll", "SetVRange", "SetHRange",
             "GetVRange", "GetHRange", "SetVPos", "SetHPos", "GetVPos", "GetHPos", "SetVPage", "SetHPage",
             "WMVScroll", "WMHScroll", "WMLButtonDown", "WMLButtonUp", "WMMouseMove", "WMMouseWheel",
             "WMLButtonDblClk", "WMRButtonDown", "WMRButtonUp", "HorzLine", "WMKeyDown", "WMChar",
             "GetDisplayCols", "UpdateDisplayCols", "GetVisibleCols", "GetDisplayColsWidth", "LastDisplayPos",
             "IsDisplayPosVisible", "IsColVisible", "AllColsVisible", "LastColVisible", "DataWidth", "DataHeight",
             "BrwHeight", "BrwWidth", "HeaderHeight", "FooterHeight", "RowCount", "FirstDataRow", "LastDataRow",
             "LastOrdRow", "FirstCol", "LastCol", "RowHeight", "FilterMode", "FilterEdit", "UpdControls",
             "SetHeaderHeight", "SetFooterHeight", "SetRowHeight", "DataScroll", "ChangeFocus", "UpdGridEdits"}},
        {rt::send(grid, "ColAtIndex", {1}), {
             "Create", "Free", "Edit", "Select", "AdjustWidth", "Value", "Adjust", "PaintData", "EraseData", "Box",
             "PostEdit", "SetFilter", "GetFilter", "GetWidth", "SetWidth", "ClearFilter", "Handle", "GetData",
             "Refresh", "SetFieldObject", "ResetDataField", "SetAlignment", "DefStyle", "DataWidth", "DataHeight",
             "DefaultValue", "SetGridEditBounds", "IsVisible", "HeaderClick", "EditControl", "SetEditType",
             "SetHeader", "SetFooter", "SetBmpAlignment", "SetVisible", "SetSort", "SetTooltip", "SetColumns",
             "GetFont", "SetFont", "SetHeaderImage", "SetFooterImage"}},
        {rt::send(grid, "oRecSel"), {
             "Create", "Free", "Adjust", "Paint", "Erase", "VPClick", "GetWidth", "SetWidth", "GetHeight",
             "SetClrText", "SetClrPane", "SetAlignment", "DefStyle", "SetRecordPointer", "GetFont", "SetFont"}}};
    for (const auto& [owner, names] : owners)
        for (const char* name : names) EXPECT_TRUE(rt::understands(owner, rt::Symbol::intern(name))) << name;
}

// The grid's callable functions by name.
TEST_F(Grid, CallableFunctionsOfTheGrid) {
    makeGrid();
    const rt::Function* extract = rt::findFunction("EXTRACTLINE");
    ASSERT_NE(extract, nullptr);
    auto start = std::make_shared<Value>(number(1));
    const Value text("uno\r\ndos");
    std::vector<Value> args{text, Value::reference(start)};
    EXPECT_EQ((*extract)(rt::Args(args.data(), args.size())).asString(), "uno");
    EXPECT_EQ(start->asInteger(), 6) << "past the CR LF";
    EXPECT_EQ((*extract)(rt::Args(args.data(), args.size())).asString(), "dos");
    EXPECT_EQ(start->asInteger(), 9);

    const rt::Function* menuBlock = rt::findFunction("GENMENUBLOCK");
    ASSERT_NE(menuBlock, nullptr);
    const Value cols = rt::send(grid, "aCols");
    std::vector<Value> blockArgs{cols, number(2)};
    const Value toggle = (*menuBlock)(rt::Args(blockArgs.data(), blockArgs.size()));
    rt::evalIfBlock(toggle);
    EXPECT_FALSE(rt::send(cols.asArray()->at1(2), "lVisible").asLogical());
    rt::evalIfBlock(toggle);
    EXPECT_TRUE(rt::send(cols.asArray()->at1(2), "lVisible").asLogical());

    const rt::Function* arrow = rt::findFunction("LOADMNARROWBMP");
    ASSERT_NE(arrow, nullptr);
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<intptr_t>((*arrow)({}).asInteger()));
    EXPECT_NE(bitmap, nullptr) << "the system's menu arrow";
    HIMAGELIST list = ImageList_Create(12, 12, ILC_COLOR24 | ILC_MASK, 1, 0);
    HBITMAP square = CreateBitmap(12, 12, 1, 32, nullptr);
    ImageList_AddMasked(list, square, RGB(255, 255, 255));
    MemoryCanvas c(20, 20, kWhite);
    const rt::Function* draw = rt::findFunction("XBROWSE_DRAWBMP");
    ASSERT_NE(draw, nullptr);
    std::vector<Value> drawArgs{number(reinterpret_cast<intptr_t>(list)), number(1),
                                number(reinterpret_cast<intptr_t>(c.dc())), number(2), number(2), number(12),
                                number(12), number(kWhite)};
    EXPECT_TRUE((*draw)(rt::Args(drawArgs.data(), drawArgs.size())).asLogical());
    EXPECT_EQ(c.at(5, 5), RGB(0, 0, 0)) << "the black square drawn";
    drawArgs[1] = number(2);
    EXPECT_FALSE((*draw)(rt::Args(drawArgs.data(), drawArgs.size())).asLogical()) << "no such image";
    ImageList_Destroy(list);
    DeleteObject(square);
    DeleteObject(bitmap);
}

// Mouse presses at the screen rows of the first column, with the keys a real click carries.
LPARAM cellPoint(int64_t x, int64_t y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

std::vector<int64_t> selectedIds(const Value& g) {
    std::vector<int64_t> ids;
    for (const Value& v : rt::send(g, "aSelected").asArray()->items) ids.push_back(v.asInteger());
    return ids;
}

// A right click on the selector of a painted row goes to the selector, one on a cell to its column, and the
// grid hears of it only when they leave it unanswered.
TEST_F(Grid, RightClicksReachTheSelectorOrTheColumn) {
    makeGrid();
    paint();
    std::vector<std::string> heard;
    auto hear = [&heard](const char* who, Value answer) {
        return block([&heard, who, answer](rt::Args) {
            heard.push_back(who);
            return answer;
        });
    };
    rt::send(rt::send(grid, "oRecSel"), "_OnRClick", {hear("selector", Value(true))});
    rt::send(rt::send(grid, "ColAtPos", {2}), "_OnDataRClick", {hear("column", Value())});
    rt::send(grid, "_OnRClick", {hear("grid", Value())});
    const int64_t y = rowTop(2) + get("nIntRowHeight") / 2;
    for (const int64_t x : {int64_t{10}, int64_t{150}}) {
        SendMessageA(hwndOf(grid), WM_RBUTTONDOWN, MK_RBUTTON, cellPoint(x, y));
        SendMessageA(hwndOf(grid), WM_RBUTTONUP, 0, cellPoint(x, y));
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"selector", "column", "grid"}));
}

// While appending, the phantom row below the last one carries the new-record mark (not the arrow) and the row
// that was current shows no pointer.
TEST_F(Grid, AppendingMarksThePhantomRowInTheSelector) {
    makeGrid(3, [](const Value& g) {
        rt::send(g, "_lAllowAppend", {true});
        rt::send(rt::send(g, "ColAtIndex", {2}), "_nEditType", {1});
    });
    const int64_t pitch = get("nIntRowHeight");
    auto selectorBox = [&](int64_t row) {
        return RECT{7, static_cast<LONG>(rowTop(row)), 19, static_cast<LONG>(rowTop(row) + pitch - 2)};
    };
    auto mask = [&](const MemoryCanvas& c, int64_t row) {
        std::vector<bool> dark;
        const RECT r = selectorBox(row);
        for (int y = 0; y < 12; ++y)
            for (int x = r.left; x < r.right; ++x) dark.push_back(darkPixels(c, {x, r.top + y, x + 1, r.top + y + 1}) > 0);
        return dark;
    };
    const auto arrow = mask(*paint(), 1);
    ASSERT_TRUE(rt::send(grid, "Append", {true}).asLogical());
    ASSERT_EQ(get("nPhantomRow"), 4);
    auto c = paint();
    EXPECT_GT(darkPixels(*c, selectorBox(4)), 3) << "a mark on the phantom row";
    EXPECT_NE(mask(*c, 4), arrow) << "the new-record mark, not the arrow";
    EXPECT_EQ(darkPixels(*c, selectorBox(3)), 0) << "no pointer on the last data row";
    rt::send(grid, "CancelEdit", {true});
    EXPECT_EQ(get("nPhantomRow"), 0);
}

TEST_F(Grid, ClicksSelectRowsWithControlAndShift) {
    makeGrid(50, [](const Value& g) { rt::send(g, "_nMarqueeStyle", {6}); });
    paint();  // the rows a press can hit are those painted
    const int64_t pitch = get("nIntRowHeight"), x = get("FirstCol") + 10;
    auto press = [&](int64_t row, WPARAM keys) {
        const LPARAM at = cellPoint(x, rowTop(row) + pitch / 2);
        SendMessageA(hwndOf(grid), WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        SendMessageA(hwndOf(grid), WM_LBUTTONUP, keys, at);
    };
    press(2, 0);
    EXPECT_EQ(selectedIds(grid), (std::vector<int64_t>{2}));
    EXPECT_EQ(rows->current(), 2);
    press(5, MK_SHIFT);
    EXPECT_EQ(selectedIds(grid), (std::vector<int64_t>{2, 3, 4, 5}));
    press(3, MK_CONTROL);
    EXPECT_EQ(selectedIds(grid), (std::vector<int64_t>{2, 4, 5})) << "Ctrl+click toggles, the anchor stays last";
    press(7, MK_SHIFT);
    EXPECT_EQ(selectedIds(grid), (std::vector<int64_t>{5, 6, 7})) << "the range starts at the anchor";
    press(9, 0);
    EXPECT_EQ(selectedIds(grid), (std::vector<int64_t>{9})) << "a plain click on an unselected row starts again";
    rt::send(grid, "SelectAll");
    EXPECT_EQ(selectedIds(grid).size(), 50u);
    EXPECT_EQ(rows->current(), 9);
    rt::send(grid, "SelectNone");
    EXPECT_TRUE(selectedIds(grid).empty());
}

TEST_F(Grid, TypingSearchesAndBackspaceShortens) {
    makeGrid(50);
    Rows* r = rows.get();
    rt::send(grid, "_OnSeek", {block([r](rt::Args a) {
                  const std::string text = rt::arg(a, 1).asString();
                  for (size_t i = 0; i < r->ids.size(); ++i)
                      if (std::to_string(r->ids[i]).rfind(text, 0) == 0) {
                          r->at = i;
                          return Value(true);
                      }
                  return Value(false);
              })});
    const HWND h = hwndOf(grid);
    SendMessageA(h, WM_CHAR, '3', 0);
    EXPECT_EQ(rt::send(grid, "cSeek").asString(), "3");
    EXPECT_EQ(rows->current(), 3);
    SendMessageA(h, WM_CHAR, '7', 0);
    EXPECT_EQ(rt::send(grid, "cSeek").asString(), "37");
    EXPECT_EQ(rows->current(), 37);
    SendMessageA(h, WM_CHAR, '9', 0);
    EXPECT_EQ(rt::send(grid, "cSeek").asString(), "37") << "no row starts with 379: the text stays";
    EXPECT_EQ(rows->current(), 37) << "and so does the row";
    SendMessageA(h, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(rt::send(grid, "cSeek").asString(), "3");
    EXPECT_EQ(rows->current(), 3);
    rt::send(grid, "GoDown");
    EXPECT_EQ(rt::send(grid, "cSeek").asString(), "") << "any move clears the search";
}

// No cell editor can open on this grid (its one editable column refuses every edit): an edit, an append and an
// insert are all refused and leave neither an edit mode nor an empty phantom row behind.
TEST_F(Grid, EditThatOpensNoEditorReportsFailure) {
    makeGrid(50, [](const Value& g) {
        const Value column = rt::send(g, "ColAtIndex", {1});
        rt::send(column, "_nEditType", {1});
        rt::send(column, "_OnEdit", {block([](rt::Args) { return Value(false); })});
        rt::send(g, "_lAllowAppend", {true});
        rt::send(g, "_lAllowInsert", {true});
    });
    EXPECT_TRUE(rt::send(grid, "IsEditable").asLogical());
    for (const char* start : {"RowEdit", "Append", "Insert"}) {
        EXPECT_FALSE(rt::send(grid, start, {true}).asLogical()) << start;
        EXPECT_EQ(get("nEditMode"), 0) << start;
        EXPECT_EQ(get("nPhantomRow"), 0) << start;
        EXPECT_FALSE(rt::send(grid, "lMultiEdit").asLogical()) << start;
    }
    rt::send(grid, "_lAllowAppend", {false});
    EXPECT_FALSE(rt::send(grid, "Append", {true}).asLogical());
}

TEST_F(Grid, DraggingARowLineSetsTheRowHeightNotBelowTwenty) {
    makeGrid(50);
    Value told;
    rt::send(grid, "_OnChangeHeight", {block([&told](rt::Args a) {
                  told = rt::arg(a, 1).deref();
                  return Value();
              })});
    paint();
    const HWND h = hwndOf(grid);
    const int64_t line = rowTop(2) - 1, top = rowTop(1);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(5, line));
    EXPECT_TRUE(rt::send(grid, "lCaptured").asLogical());
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, cellPoint(5, top + 40));
    SendMessageA(h, WM_LBUTTONUP, 0, cellPoint(5, top + 40));
    EXPECT_FALSE(rt::send(grid, "lCaptured").asLogical());
    EXPECT_EQ(get("nIntRowHeight"), 40);
    EXPECT_EQ(told.asInteger(), 40);
    paint();
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, cellPoint(5, rowTop(2) - 1));
    SendMessageA(h, WM_LBUTTONUP, 0, cellPoint(5, top + 5));
    EXPECT_EQ(get("nIntRowHeight"), 20) << "dragged up past the minimum";
}

TEST_F(Grid, WheelMovesOneRowOrOnePage) {
    makeGrid(50);
    const HWND h = hwndOf(grid);
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
    EXPECT_EQ(rows->current(), 2) << "one row whatever the delta";
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(MK_MBUTTON, static_cast<WORD>(-120)), 0);
    const int64_t paged = rows->current();
    EXPECT_EQ(paged, 2 + typed().rowCount()) << "a page with the middle button held";
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(rows->current(), paged - 1);
}


// The header's items count the record selector first: item 2 is the first column.
TEST_F(Grid, HeaderResizesAndMovesColumnsThroughTheGrid) {
    makeGrid(50);
    const Value header = rt::send(grid, "oHeader");
    ASSERT_FALSE(header.isNil());
    rt::send(grid, "ColBegTrack", {header, 1});
    EXPECT_TRUE(rt::send(header, "lCancelTrack").asLogical()) << "the selector's item keeps its width";
    rt::send(grid, "ColTrack", {header, 2, 90});
    EXPECT_EQ(rt::send(rt::send(grid, "ColAtPos", {1}), "nWidth").asInteger(), 90);
    EXPECT_TRUE(rt::send(grid, "ColDrag", {header, 2, 3}).asLogical());
    EXPECT_EQ(rt::send(rt::send(grid, "ColAtPos", {1}), "cHeader").asString(), "Nombre");
    EXPECT_EQ(rt::send(rt::send(grid, "ColAtPos", {2}), "cHeader").asString(), "Número");
    EXPECT_FALSE(rt::send(grid, "ColDrag", {header, 1, 3}).asLogical()) << "the selector does not move";
    EXPECT_FALSE(rt::send(grid, "ColDrag", {header, Value(), 3}).asLogical());
}

// ---------------------------------------------------------------- the cell editor

// A grid whose "Nombre" column edits in place; OnPostEdit records what each edit posted.
class CellEdit : public Grid {
protected:
    struct Posted {
        Value value;
        bool canceled = false;
        int64_t key = 0;
    };
    std::vector<Posted> posted;

    Value makeEditGrid(int64_t marquee, const std::function<void(const Value& number, const Value& name)>& setUp) {
        return makeGrid(50, [&](const Value& g) {
            rt::send(g, "_nMarqueeStyle", {number(marquee)});
            rt::send(g, "_lAllowEdit", {true});
            setUp(rt::send(g, "ColAtIndex", {1}), rt::send(g, "ColAtIndex", {2}));
            for (const Value& c : {rt::send(g, "ColAtIndex", {1}), rt::send(g, "ColAtIndex", {2})})
                rt::send(c, "_OnPostEdit", {block([this](rt::Args a) {
                             posted.push_back({rt::arg(a, 1).deref(), rt::arg(a, 2).deref().asLogical(),
                                               rt::arg(a, 3).asInteger()});
                             return Value();
                         })});
        });
    }
    static Value editorOf(const Value& column) { return rt::send(column, "oGridEdit"); }
    static HWND editorWindow(const Value& column) { return hwndOf(editorOf(column)); }
    static bool shown(HWND h) { return (GetWindowLongPtrA(h, GWL_STYLE) & WS_VISIBLE) != 0; }
    void selectColumn(int64_t position) { rt::send(grid, "SelectCol", {number(position)}); }
    void key(HWND h, WPARAM k) { SendMessageA(h, WM_KEYDOWN, k, 0); }
    void type(HWND h, const std::string& text) {
        for (char c : text) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    std::string editorText(const Value& column) {
        char text[64] = {};
        GetWindowTextA(editorWindow(column), text, sizeof text);
        return text;
    }
};

TEST_F(CellEdit, EnterCommitsTheTypedTextAndEscapeCancels) {
    Value name;
    makeEditGrid(2, [&](const Value&, const Value& n) {
        rt::send(n, "_nEditType", {1});
        name = n;
    });
    selectColumn(2);
    key(hwndOf(grid), VK_RETURN);
    ASSERT_TRUE(shown(editorWindow(name))) << "Enter opens the cell's editor over the cell";
    EXPECT_EQ(get("nEditMode"), 1);
    EXPECT_EQ(editorText(name), "Empleado 1");
    type(editorWindow(name), "Ana");
    key(editorWindow(name), VK_RETURN);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].value.asString(), "Ana");
    EXPECT_FALSE(posted[0].canceled);
    EXPECT_EQ(posted[0].key, VK_RETURN);
    EXPECT_FALSE(shown(editorWindow(name)));
    EXPECT_EQ(get("nEditMode"), 0);

    key(hwndOf(grid), VK_RETURN);
    type(editorWindow(name), "Bea");
    key(editorWindow(name), VK_ESCAPE);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_TRUE(posted[1].canceled) << "Escape cancels";
    EXPECT_EQ(posted[1].key, VK_ESCAPE);
    EXPECT_EQ(get("nEditMode"), 0);
}

TEST_F(CellEdit, FastEditKeepsTheFirstTypedCharacter) {
    Value name;
    makeEditGrid(2, [&](const Value&, const Value& n) {
        rt::send(n, "_nEditType", {1});
        name = n;
    });
    rt::send(grid, "_lFastEdit", {true});
    selectColumn(2);
    SendMessageA(hwndOf(grid), WM_CHAR, 'A', 0);
    ASSERT_TRUE(shown(editorWindow(name))) << "a typed character opens the cell's editor";
    pump();
    type(editorWindow(name), "na");
    EXPECT_EQ(editorText(name), "Ana") << "the first character replaces the cell's text and stays";
    key(editorWindow(name), VK_RETURN);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].value.asString(), "Ana");
}

TEST_F(CellEdit, RefusedEditLeavesTheGridReading) {
    makeEditGrid(2, [](const Value&, const Value& n) {
        rt::send(n, "_nEditType", {1});
        rt::send(n, "_OnEdit", {block([](rt::Args) { return Value(false); })});
    });
    selectColumn(2);
    EXPECT_FALSE(rt::send(rt::send(grid, "ColAtIndex", {2}), "Edit").asLogical());
    EXPECT_EQ(get("nEditMode"), 0) << "a column that refuses leaves no edit mode behind";
}

// A read-only list column shows the text bound to the cell's number, seeks items by typed prefix, steps with
// the arrows and posts the bound number of the text chosen.
TEST_F(CellEdit, ReadOnlyListSeeksStepsAndPostsTheBoundValue) {
    Value num;
    makeEditGrid(2, [&](const Value& n, const Value&) {
        rt::send(n, "_nEditType", {5});
        rt::send(n, "_aEditListText", {Value::array({"Alfa", "Bravo", "Brenda", "Carla"})});
        rt::send(n, "_aEditListBound", {Value::array({1, 2, 3, 4})});
        num = n;
    });
    selectColumn(1);
    key(hwndOf(grid), VK_RETURN);
    const HWND h = editorWindow(num);
    ASSERT_TRUE(shown(h));
    EXPECT_EQ(editorText(num), "Alfa") << "row 1 shows the text bound to 1";
    const std::pair<WPARAM, const char*> steps[] = {
        {'B', "Bravo"}, {'R', "Bravo"}, {'E', "Brenda"}, {'X', "Brenda"}, {VK_DOWN, "Carla"}, {VK_DOWN, "Carla"},
        {VK_UP, "Brenda"}};
    for (auto [k, shown] : steps) {
        key(h, k);
        EXPECT_EQ(editorText(num), shown) << "after key " << k;
    }
    key(h, VK_RETURN);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_TRUE(posted[0].value.isNumber());
    EXPECT_EQ(posted[0].value.asInteger(), 3) << "the bound value of Brenda";
}

TEST_F(CellEdit, ButtonClickTakesTheColumnsValue) {
    Value name;
    int clicks = 0;
    makeEditGrid(2, [&](const Value&, const Value& n) {
        rt::send(n, "_nEditType", {2});
        rt::send(n, "_OnBtnClick", {block([&clicks](rt::Args) {
                     ++clicks;
                     return Value("Elegido");
                 })});
        name = n;
    });
    selectColumn(2);
    key(hwndOf(grid), VK_RETURN);
    const HWND h = editorWindow(name);
    ASSERT_TRUE(shown(h));
    RECT client{};
    GetClientRect(h, &client);

    // The button shows three dots, drawn as dots whatever the code page.
    MemoryCanvas canvas(client.right, client.bottom);
    SendMessageA(h, WM_PAINT, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    int runs = 0;
    bool inDot = false;
    const int middle = client.bottom / 2;
    for (int x = client.right - 15; x < client.right; ++x) {
        const COLORREF p = canvas.at(x, middle);
        const bool dark = GetRValue(p) + GetGValue(p) + GetBValue(p) < 200;
        if (dark && !inDot) ++runs;
        inDot = dark;
    }
    EXPECT_EQ(runs, 3);

    const LPARAM at = MAKELPARAM(client.right - 5, client.bottom / 2);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(h, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(posted.size(), 1u) << "a single-cell edit ends after the button";
    EXPECT_EQ(posted[0].value.asString(), "Elegido");
    EXPECT_EQ(posted[0].key, VK_RETURN);
}

TEST_F(CellEdit, DropListOpensPicksAValueAndGivesTheOwnerItsProcedureBack) {
    Value name, empty;
    makeEditGrid(2, [&](const Value& n, const Value& m) {
        rt::send(n, "_nEditType", {3});
        empty = n;
        rt::send(m, "_nEditType", {3});
        rt::send(m, "_aEditListText", {Value::array({"Ana", "Bea", "Carmen"})});
        name = m;
    });
    selectColumn(1);
    key(hwndOf(grid), VK_RETURN);
    key(editorWindow(empty), VK_F4);
    EXPECT_FALSE(rt::send(editorOf(empty), "lDropped").asLogical()) << "a list editor without items opens nothing";
    key(editorWindow(empty), VK_ESCAPE);
    posted.clear();

    const HWND formWindow = hwndOf(form);
    const LONG_PTR formProcedure = GetWindowLongPtrA(formWindow, GWLP_WNDPROC);
    selectColumn(2);
    key(hwndOf(grid), VK_RETURN);
    const HWND h = editorWindow(name);
    key(h, VK_F4);
    ASSERT_TRUE(rt::send(editorOf(name), "lDropped").asLogical());
    EXPECT_FALSE(rt::send(editorOf(name), "ShowDropList").asLogical()) << "one list at a time";
    rt::send(empty, "_aEditListText", {Value::array({"Uno"})});
    EXPECT_TRUE(rt::send(Value(TDropList::classRecord().instantiate()), "New", {editorOf(empty)}).isNil())
        << "a form shows one list at a time, whichever editor asks";
    const HWND popup = FindWindowA("TDropList", nullptr);
    ASSERT_NE(popup, nullptr);
    const HWND list = GetWindow(popup, GW_CHILD);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(posted.empty()) << "the arrows move the selection without choosing";
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].value.asString(), "Carmen");
    pump();
    EXPECT_FALSE(IsWindow(popup)) << "the list closes";
    EXPECT_FALSE(rt::send(editorOf(name), "lDropped").asLogical());
    EXPECT_EQ(GetWindowLongPtrA(formWindow, GWLP_WNDPROC), formProcedure) << "the owner's procedure is back";
}

TEST_F(CellEdit, WholeRowEditTabsAroundAndEnterInTheLastCellEnds) {
    makeForm(true, 420, 320);  // the focus moves between the editors
    Value num, name;
    makeEditGrid(5, [&](const Value& n, const Value& m) {
        rt::send(n, "_nEditType", {1});
        rt::send(m, "_nEditType", {1});
        num = n;
        name = m;
    });
    ASSERT_TRUE(rt::send(grid, "RowEdit", {true}).asLogical());
    EXPECT_EQ(GetFocus(), editorWindow(num));
    SendMessageA(editorWindow(num), WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), editorWindow(name));
    SendMessageA(editorWindow(name), WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), editorWindow(num)) << "Tab in the last cell wraps to the first";
    key(editorWindow(num), VK_RETURN);
    EXPECT_EQ(GetFocus(), editorWindow(name)) << "Enter moves on until the last cell";
    EXPECT_TRUE(posted.empty());
    key(editorWindow(name), VK_RETURN);
    EXPECT_EQ(posted.size(), 2u) << "Enter in the last cell ends the row's edit";
    EXPECT_EQ(get("nEditMode"), 0);
}

TEST_F(CellEdit, FocusOnAnotherControlOfTheFormSavesTheCell) {
    makeForm(true, 420, 320);
    Value name;
    makeEditGrid(2, [&](const Value&, const Value& n) {
        rt::send(n, "_nEditType", {1});
        name = n;
    });
    const Value other = makeControl(systemControlClass("EDIT"), form, 330, 10, 60, 20);
    selectColumn(2);
    key(hwndOf(grid), VK_RETURN);
    ASSERT_EQ(GetFocus(), editorWindow(name));
    type(editorWindow(name), "Eva");
    SetFocus(hwndOf(other));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].value.asString(), "Eva");
    EXPECT_FALSE(posted[0].canceled);
    EXPECT_EQ(get("nEditMode"), 0);
}

}  // namespace
}  // namespace vorpex::testing
