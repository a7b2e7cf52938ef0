// The array browse on a hidden form under Wine: columns built from the data, editing that saves into the rows,
// the Delete key obeying lAllowDelete, header sorts and the search on the sorted column, the filter bar's terms,
// the cells a column addresses after columns move, and the data sources' error list shown through it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/browse/array_browse.h"
#include "framework/browse/browse_wiring.h"
#include "framework/controls/controls.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/native/casts.h"
#include "framework/data/data_source/error_list_view.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "tests/support/recording_handler.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using native::number;

Value row(const char* name, int64_t amount) { return Value::array({Value(name), number(amount)}); }

class ArrayGrid : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        registerBrowse();
        makeForm(false, 420, 320);
    }
    void TearDown() override {
        grid = Value();
        ControlTest::TearDown();
    }

    // A grid over Alba 10, Bruno 250, Cabal 120, Abel 99, with the headers Nombre and Importe.
    Value makeGrid(const std::function<void(const Value&)>& before = {}) {
        data = Value::array({row("Alba", 10), row("Bruno", 250), row("Cabal", 120), row("Abel", 99)});
        grid = makeControl(TArrayBrowse::classRecord(), form, 0, 0, 320, 260, [&](const Value& g) {
            rt::send(g, "_nMarqueeStyle", {2});
            if (before) before(g);
        });
        rt::send(grid, "SetArray", {data, Value::array({"Nombre", "Importe"})});
        return grid;
    }
    Value col(int64_t n) const { return rt::send(grid, "ColAtIndex", {number(n)}); }
    int64_t get(const char* member) const { return rt::send(grid, member).asInteger(); }
    // The names of the rows shown, in order.
    std::vector<std::string> names() const {
        std::vector<std::string> shown;
        for (const Value& r : rt::send(grid, "aArrayData").asArray()->items) shown.push_back(r.asArray()->items[0].asString());
        return shown;
    }
    std::string cellOf(const Value& rows, size_t r, size_t c) const {
        const Value& v = rows.asArray()->items[r].asArray()->items[c];
        return v.isString() ? v.asString() : std::to_string(v.asInteger());
    }

    Value data, grid;
};

TEST_F(ArrayGrid, ColumnsComeFromTheDataAndAnEmptyArrayHasNoRow) {
    makeGrid();
    ASSERT_EQ(rt::send(grid, "aCols").asArray()->size(), 2u);
    EXPECT_EQ(rt::send(col(1), "cHeader").asString(), "Nombre");
    EXPECT_EQ(rt::send(col(2), "cHeader").asString(), "Importe");
    EXPECT_EQ(rt::send(col(1), "nAlignment").asInteger(), 0);
    EXPECT_EQ(rt::send(col(2), "nAlignment").asInteger(), 2) << "numbers are right-aligned";
    EXPECT_EQ(get("nArrayAt"), 1);
    EXPECT_EQ(rt::send(grid, "GetValue", {"IMPORTE"}).asInteger(), 10) << "a header text names the column";

    rt::send(grid, "SetArray", {Value::array()});
    EXPECT_EQ(get("nArrayAt"), 0);
    EXPECT_TRUE(rt::send(grid, "IsEof").asLogical());
    rt::send(grid, "GoDown");
    EXPECT_EQ(get("nArrayAt"), 0) << "moves do nothing";
    EXPECT_EQ(rt::send(grid, "GetValue", {1}).isNil(), true);
}

TEST_F(ArrayGrid, TypedCellIsSavedIntoTheRowAndEscapeLeavesItAlone) {
    makeGrid([](const Value& g) { rt::send(g, "_lAutoSave", {true}); });
    rt::send(col(1), "_nEditType", {1});
    rt::send(grid, "SelectCol", {1});
    const HWND editor = hwndOf(rt::send(col(1), "oGridEdit"));
    ASSERT_NE(editor, nullptr) << "the column made its editor with the grid's window";
    SendMessageA(hwndOf(grid), WM_KEYDOWN, VK_RETURN, 0);
    for (char c : std::string("Ana")) SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 0);
    SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(cellOf(data, 0, 0), "Ana") << "the caller's row holds the typed text";
    EXPECT_EQ(get("nEditMode"), 0);

    SendMessageA(hwndOf(grid), WM_KEYDOWN, VK_RETURN, 0);
    for (char c : std::string("Eva")) SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 0);
    SendMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(cellOf(data, 0, 0), "Ana") << "Escape saves nothing";
}

// An append saves a new row only when lAutoSave keeps what was typed; without it the rows and the current row
// stay as they were.
TEST_F(ArrayGrid, AppendAddsARowOnlyWhenItIsSaved) {
    makeGrid([](const Value& g) { rt::send(g, "_lAllowAppend", {true}); });
    rt::send(col(1), "_nEditType", {1});
    const HWND editor = hwndOf(rt::send(col(1), "oGridEdit"));
    for (bool autoSave : {false, true}) {
        rt::send(grid, "_lAutoSave", {autoSave});
        rt::send(grid, "KeyNo", {2});
        ASSERT_TRUE(rt::send(grid, "Append", {true}).asLogical());
        for (char c : std::string("Eva")) SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 0);
        SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(get("nEditMode"), 0);
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"Alba", "Bruno", "Cabal", "Abel", "Eva"}));
    EXPECT_EQ(get("nArrayAt"), 5) << "the saved row becomes current";
    EXPECT_EQ(cellOf(data, 4, 1), "0") << "the other cells take their column's default";
}

TEST_F(ArrayGrid, DeleteKeyDeletesOnlyWithAllowDelete) {
    makeGrid();
    const HWND h = hwndOf(grid);
    SendMessageA(h, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(data.asArray()->size(), 4u) << "lAllowDelete is off: the key deletes nothing";
    EXPECT_FALSE(rt::send(grid, "Delete", {true}).asLogical()) << "nor does a delete the user started";
    rt::send(grid, "_lAllowDelete", {true});
    SendMessageA(h, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(names(), (std::vector<std::string>{"Bruno", "Cabal", "Abel"}));
}

TEST_F(ArrayGrid, HeaderClicksSortAndTypingSearchesTheSortedColumn) {
    makeGrid([](const Value& g) { rt::send(g, "_nMarqueeStyle", {6}); });
    rt::send(grid, "_lAutoOrder", {true});
    rt::send(grid, "SetArray", {data});
    rt::send(grid, "Select", {1});            // Alba
    rt::send(grid, "KeyNo", {3});
    rt::send(grid, "Select", {1});            // Cabal
    rt::send(col(1), "HeaderClick", {0, 0});
    EXPECT_EQ(names(), (std::vector<std::string>{"Abel", "Alba", "Bruno", "Cabal"}));
    EXPECT_EQ(rt::send(col(1), "nSort").asInteger(), 1);
    const auto selected = rt::send(grid, "aSelected").asArray()->items;
    ASSERT_EQ(selected.size(), 2u) << "the marked rows stay marked, and nothing is left in the rows";
    EXPECT_EQ(selected[0].asInteger(), 2);
    EXPECT_EQ(selected[1].asInteger(), 4);
    for (const Value& r : data.asArray()->items) EXPECT_EQ(r.asArray()->size(), 2u);

    rt::send(col(1), "HeaderClick", {0, 0});
    EXPECT_EQ(names(), (std::vector<std::string>{"Cabal", "Bruno", "Alba", "Abel"}));
    EXPECT_EQ(rt::send(col(1), "nSort").asInteger(), -1);

    EXPECT_TRUE(rt::send(grid, "Seek", {"al"}).asLogical());
    EXPECT_EQ(rt::send(grid, "GetValue", {1}).asString(), "Alba") << "any case, on the sorted column";
    EXPECT_FALSE(rt::send(grid, "Seek", {"z"}).asLogical());

    data.asArray()->items.push_back(Value::array({Value(), Value("x")}));
    rt::send(grid, "SetArray", {data});
    rt::send(col(2), "HeaderClick", {0, 0});  // numbers and a text in one column: no error, a fixed order
    EXPECT_EQ(rt::send(grid, "aArrayData").asArray()->items.back().asArray()->items[1].asString(), "x");
}

TEST_F(ArrayGrid, FilterKeepsMatchingRowsAndRowsChangedWhileFilteredSurvive) {
    makeGrid([](const Value& g) { rt::send(g, "_lFilterBar", {true}); });
    rt::send(col(2), "_cFilter", {">100"});
    rt::send(grid, "SetFilter", {2});
    EXPECT_EQ(names(), (std::vector<std::string>{"Bruno", "Cabal"}));
    EXPECT_TRUE(rt::send(grid, "IsFiltered").asLogical());
    rt::send(grid, "SetRow", {row("Bruna", 251), 1});
    rt::send(col(1), "_cFilter", {"ab"});
    rt::send(grid, "SetFilter", {1});
    EXPECT_EQ(names(), (std::vector<std::string>{"Cabal"})) << "every term must hold";
    EXPECT_EQ(get("nArrayOrgAt"), 3);

    rt::send(grid, "AddRow", {row("Zabala", 500)});
    rt::send(grid, "KeyNo", {1});
    rt::send(grid, "DelRow");
    EXPECT_EQ(names(), (std::vector<std::string>{"Zabala"}));
    rt::send(col(2), "_cFilter", {"=1) .or. QUIT()"});
    rt::send(grid, "SetFilter", {2});
    EXPECT_TRUE(names().empty()) << "a term that is not a comparison keeps nothing, and runs nothing";

    rt::send(col(1), "_cFilter", {""});
    rt::send(col(2), "_cFilter", {""});
    rt::send(grid, "SetFilter", {2});
    EXPECT_FALSE(rt::send(grid, "IsFiltered").asLogical());
    EXPECT_EQ(names(), (std::vector<std::string>{"Alba", "Bruna", "Abel", "Zabala"}))
        << "the row added while filtered is kept, the one deleted stays deleted, the one replaced stays replaced";
}

// The header's filter bar switched on and off: the header grows by half and back, the columns' texts filter
// the rows (kept by the columns, since Wine's header keeps no filters), and a change the bar reports for an
// item filters by its column.
TEST_F(ArrayGrid, FilterBarSwitchedOnFiltersAndTheHeaderGrows) {
    makeGrid();
    const std::vector<std::string> all{"Alba", "Bruno", "Cabal", "Abel"};
    const Value header = rt::send(grid, "oHeader");
    const int64_t plain = get("nHeaderHeight");
    auto barHeight = [&header] {
        RECT r{};
        GetWindowRect(hwndOf(header), &r);
        return static_cast<int64_t>(r.bottom - r.top);
    };
    rt::send(col(2), "_cFilter", {">100"});
    EXPECT_EQ(names(), all) << "no bar, no filter";
    rt::send(grid, "_lFilterBar", {true});
    EXPECT_TRUE(rt::send(header, "lFilterBar").asLogical());
    EXPECT_EQ(get("nHeaderHeight"), (plain * 3 + 1) / 2);
    EXPECT_EQ(barHeight(), get("nHeaderHeight"));
    EXPECT_EQ(names(), (std::vector<std::string>{"Bruno", "Cabal"})) << "the bar on applies the texts";
    EXPECT_EQ(rt::send(col(2), "cFilter").asString(), ">100");
    rt::send(grid, "FilterMode", {true});
    EXPECT_EQ(get("nHeaderHeight"), (plain * 3 + 1) / 2) << "on twice grows once";

    rt::send(col(1), "_cFilter", {"ab"});
    rt::send(header, "OnFilterChange", {number(2)});  // item 2: column 1, after the selector's item
    EXPECT_EQ(names(), (std::vector<std::string>{"Cabal"}));
    rt::send(col(1), "ClearFilter");
    EXPECT_EQ(rt::send(col(1), "cFilter").asString(), "");
    rt::send(header, "OnFilterChange", {number(1)});  // the selector's own item filters nothing
    EXPECT_EQ(names(), (std::vector<std::string>{"Cabal"}));
    rt::send(header, "OnFilterChange", {number(2)});
    EXPECT_EQ(names(), (std::vector<std::string>{"Bruno", "Cabal"}));

    rt::send(grid, "_lFilterBar", {false});
    EXPECT_EQ(get("nHeaderHeight"), plain);
    EXPECT_EQ(barHeight(), plain);
    EXPECT_EQ(names(), all) << "the bar off shows every row";
    EXPECT_EQ(rt::send(col(2), "cFilter").asString(), ">100") << "the text stays for the next time";
}

TEST_F(ArrayGrid, ColumnAdjustWidthFitsItsData) {
    makeGrid();
    rt::send(col(1), "_nWidth", {number(300)});
    rt::send(col(1), "AdjustWidth");
    const int64_t fitted = rt::send(col(1), "nWidth").asInteger();
    EXPECT_LT(fitted, 300);
    EXPECT_GE(fitted, 10);
}

TEST_F(ArrayGrid, ColumnsAddressTheirOwnElementAfterTheyMove) {
    makeGrid();
    rt::send(grid, "MoveCol", {col(2), 1});
    const Value importe = rt::send(grid, "ColWithHeader", {"Importe"});
    EXPECT_EQ(rt::send(grid, "GetValue", {importe}).asInteger(), 10);
    rt::send(grid, "SetValue", {importe, 11});
    EXPECT_EQ(cellOf(data, 0, 1), "11") << "the element the column shows";
    EXPECT_EQ(cellOf(data, 0, 0), "Alba");
    rt::send(grid, "Sort", {importe});
    EXPECT_EQ(names(), (std::vector<std::string>{"Alba", "Abel", "Cabal", "Bruno"})) << "sorted by the amounts";
}

TEST_F(ArrayGrid, ColumnOfAnotherKindIsReportedThroughTheErrorSystem) {
    makeGrid();
    rt::send(grid, "AddCol", {rt::send(Value(TBrwColumn::classRecord().instantiate()), "New", {grid})});
    rt::testing::RecordingHandler errors(rt::ErrorAction::Break);
    EXPECT_THROW(rt::send(grid, "SetArray", {Value::array({Value::array({"x", 1, 2})})}), rt::Break);
    ASSERT_EQ(errors.seen.size(), 1u);
    EXPECT_EQ(errors.seen[0].subSystem, "VORPEX:SetArray");
    EXPECT_EQ(errors.seen[0].severity, rt::severity::Error);
    EXPECT_EQ(errors.seen[0].description, "Incorrect Browse Column type, should be KindOf('TArrayBrwColumn') ");
    EXPECT_EQ(errors.seen[0].operation, "Column: 3");
}

TEST_F(ArrayGrid, DataSourceErrorsShowInAnArrayBrowse) {
    std::vector<std::string> headers;
    int64_t shownRows = 0;
    std::string caption;
    setErrorListAutomation([&](const Value& f) {
        const Value g = rt::send(f, "Cargo");
        for (const Value& c : rt::send(g, "aCols").asArray()->items) headers.push_back(rt::send(c, "cHeader").asString());
        shownRows = rt::send(g, "aArrayData").asArray()->size();
        caption = rt::send(f, "cText").asString();
        PostMessageA(hwndOf(f), WM_CLOSE, 0, 0);
    });
    const Value errors = Value::array({Value::array({"empleado.dbf", "No se pudo bloquear", 41, "MAIN(12)"}),
                                       Value::array({"fichaje.dbf", "Campo desconocido", 13, "LOAD(3)"})});
    data::showErrorListView("TDataSource errors: .", errors);
    setErrorListAutomation({});
    EXPECT_EQ(headers, (std::vector<std::string>{"TDataSet", "Descrip.", "# Error", "Trace"}));
    EXPECT_EQ(shownRows, 2);
    EXPECT_EQ(caption, "TDataSource errors: .");
}

}  // namespace
}  // namespace vorpex::testing
