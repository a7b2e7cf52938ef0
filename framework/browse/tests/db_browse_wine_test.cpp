// The data-aware grid on a hidden form under Wine over a DBF table of 40 employees, beside two data-aware
// edits on the same set, as the attendance program's main form has them: the grid shows the set's records,
// follows the set when a program or a navigator moves it, moves the set with keys, clicks and the scroll
// thumb so that the edits always show the grid's record, sorts on header clicks, filters through the filter
// bar, and deletes only when allowed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/browse/browse_wiring.h"
#include "framework/browse/db_browse.h"
#include "framework/controls/controls.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/data/data.h"
#include "framework/data/data_controls/data_controls.h"
#include "framework/data/data_controls/db_edit.h"
#include "framework/data/data_controls/db_navigator.h"
#include "framework/data/data_source/data_source_list.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "tests/support/function_call.h"
#include "tests/support/memory_canvas.h"
#include "tests/support/temp_folder.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using rt::testing::call;

constexpr int kRecords = 40;

Value block(std::function<Value(rt::Args)> fn) { return Value(rt::makeBlock(std::move(fn))); }

Value ask(const Value& o, const char* message, std::initializer_list<Value> args = {}) {
    return rt::send(o, message, args);
}

std::string trimmed(const Value& v) {
    const std::string s = v.isString() ? v.asString() : std::string();
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(' ') + 1 - first);
}

// Record i holds employee 100 + i named "N" followed by 41 - i in two digits: the names sort backwards.
std::string nameOf(int record) {
    const int n = kRecords + 1 - record;
    return std::string("N") + (n < 10 ? "0" : "") + std::to_string(n);
}

class DbBrowse : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        registerDataSets();
        registerDataControls();
        registerBrowse();
        for (const char* name : {"MSGALERT", "LOGDEBUG", "MSGBEEP", "MSGINFO"})
            rt::registerFunction(name, [this, name](rt::Args a) {
                said.push_back(std::string(name) + " " + (rt::arg(a, 0).isString() ? rt::arg(a, 0).asString() : ""));
                return Value();
            });
        makeTable();
        source = ask(call("TNTXDATASOURCE"), "New");
        ask(source, "_cConnect", {Value(dir.path().string())});
        set = ask(call("TDBFDATASET"), "Create", {Value(), source, Value("empleado")});
        form = makeForm(false, 700, 400);
    }
    void TearDown() override {
        rt::settings().deleted = false;
        grid = Value();
        data::DATASOURCECLOSEALL();
        call("DBCLOSEALL");
        ControlTest::TearDown();
    }
    void makeTable() {
        const std::string file = dir.file("empleado.dbf");
        call("DBCREATE", {Value(file), Value::array({Value::array({Value("NUMERO"), Value("N"), Value(4), Value(0)}),
                                                     Value::array({Value("NOMBRE"), Value("C"), Value(20), Value(0)}),
                                                     Value::array({Value("BAJA"), Value("C"), Value(1), Value(0)})})});
        call("DBUSEAREA", {Value(true), Value(), Value(file), Value("MAKER"), Value(false)});
        for (int i = 1; i <= kRecords; ++i) {
            call("DBAPPEND");
            call("FIELDPUT", {Value(1), Value(100 + i)});
            call("FIELDPUT", {Value(2), Value(nameOf(i))});
            call("FIELDPUT", {Value(3), Value(" ")});
        }
        call("DBCLOSEAREA");
    }
    // The main form of the attendance program: the grid with a record selector and three columns, and two edits.
    void makeMainForm() {
        grid = makeControl(TDBBrowse::classRecord(), form, 0, 0, 680, 260, [&](const Value& g) {
            for (const auto& [header, width, field] :
                 {std::tuple{"NUMERO", 64, "NUMERO"}, std::tuple{"NOMBRE", 554, "NOMBRE"}, std::tuple{"BAJA", 42, "BAJA"}}) {
                const Value column = ask(call("TDBBRWCOLUMN"), "New", {g});
                ask(column, "_cHeader", {Value(header)});
                ask(column, "_nWidth", {Value(width)});
                ask(column, "_oDataField", {Value(field)});
                if (std::string(header) == "NUMERO") ask(column, "_nAlignment", {Value(2)});
                ask(column, "Create", {g});
            }
            ask(g, "_oDataSet", {set});
        });
        nombre = makeControl(data::TDBEdit::classRecord(), form, 10, 270, 200, 22, [&](const Value& e) {
            ask(e, "_oDataField", {Value("NOMBRE")});
            ask(e, "_oDataSet", {set});
        });
        numero = makeControl(data::TDBMaskEdit::classRecord(), form, 10, 300, 200, 22, [&](const Value& e) {
            ask(e, "_cPicture", {Value("9999")});
            ask(e, "_oDataField", {Value("NUMERO")});
            ask(e, "_oDataSet", {set});
        });
        ASSERT_TRUE(ask(set, "Open").asLogical());
        pump();
    }
    int64_t get(const char* member) const { return ask(grid, member).asInteger(); }
    int64_t recno() const { return ask(set, "Recno").asInteger(); }
    static std::string text(const Value& c) {
        char buf[256] = {};
        GetWindowTextA(hwndOf(c), buf, sizeof buf);
        return trimmed(Value(std::string(buf)));
    }
    // The edits show the record the grid and the set are on.
    void expectInStep(int record, const char* where) {
        EXPECT_EQ(recno(), record) << where;
        EXPECT_EQ(text(nombre), nameOf(record)) << where;
        EXPECT_EQ(text(numero), std::to_string(100 + record)) << where;
    }
    void key(WPARAM vk) {
        SendMessageA(hwndOf(grid), WM_KEYDOWN, vk, 1);
        pump();
    }
    void thumb(int position) {
        SendMessageA(hwndOf(grid), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
        pump();
    }
    // The grid's paint lays out the rows a press can hit.
    void paint() {
        RECT client{};
        GetClientRect(hwndOf(grid), &client);
        MemoryCanvas canvas(client.right, client.bottom);
        SendMessageA(hwndOf(grid), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    }
    void clickRow(int64_t row) {
        paint();
        const int64_t y = get("FirstDataRow") + (row - 1) * get("nIntRowHeight") + get("nIntRowHeight") / 2;
        const LPARAM at = MAKELPARAM(100, y);
        SendMessageA(hwndOf(grid), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(hwndOf(grid), WM_LBUTTONUP, 0, at);
        pump();
    }
    // What the table file holds, read through an area of its own.
    std::string nameInTable(int record) {
        call("DBUSEAREA", {Value(true), Value(), Value(dir.file("empleado.dbf")), Value("CHECK"), Value(true)});
        call("DBGOTO", {Value(record)});
        const std::string name = trimmed(call("FIELDGET", {Value(2)}));
        call("DBCLOSEAREA");
        return name;
    }
    // NOMBRE edited in the grid's cells, with the room on screen for it.
    Value editableNames() {
        ask(column(2), "_nWidth", {Value(200)});
        ask(column(2), "_nEditType", {Value(1)});
        paint();
        return column(2);
    }
    static void typeInto(const Value& editor, const std::string& chars, WPARAM end) {
        const HWND window = hwndOf(editor);
        SendMessageA(window, EM_SETSEL, 0, -1);
        for (unsigned char c : chars) SendMessageA(window, WM_CHAR, c, 1);
        SendMessageA(window, WM_KEYDOWN, end, 1);
        pump();
    }
    Value column(int n) const { return ask(grid, "ColAtPos", {Value(n)}); }
    std::string cell(int n) const { return trimmed(ask(column(n), "GetData")); }

    rt::testing::TempFolder dir;
    Value source, set, grid, nombre, numero;
    std::vector<std::string> said;
};

TEST_F(DbBrowse, ShowsTheSetsRecordsThroughItsFieldColumns) {
    makeMainForm();
    EXPECT_EQ(get("nLen"), kRecords);
    EXPECT_EQ(get("nKeyNo"), 1);
    EXPECT_EQ(ask(grid, "aCols").asArray()->items.size(), 3u);
    EXPECT_EQ(ask(column(1), "GetData").asInteger(), 101);
    EXPECT_EQ(cell(2), nameOf(1));
    EXPECT_TRUE(ask(grid, "oRecSel").isObject());
    EXPECT_EQ(ask(column(1), "nAlignment").asInteger(), 2);
    EXPECT_EQ(ask(set, "oDBBrowse").asObject(), grid.asObject());
    expectInStep(1, "after opening");
}

TEST_F(DbBrowse, KeysMoveTheSetAndTheEditsFollow) {
    makeMainForm();
    const int64_t rows = get("RowCount");
    ASSERT_GT(rows, 3);
    ASSERT_LT(rows, kRecords);
    key(VK_DOWN);
    expectInStep(2, "down");
    EXPECT_EQ(get("nKeyNo"), 2);
    EXPECT_EQ(get("nRowSel"), 2);
    key(VK_NEXT);
    expectInStep(2 + static_cast<int>(rows), "page down");
    EXPECT_EQ(get("nRowSel"), 2);
    key(VK_END);
    expectInStep(kRecords, "end");
    EXPECT_EQ(get("nKeyNo"), kRecords);
    EXPECT_EQ(get("nRowSel"), rows);
    key(VK_DOWN);
    expectInStep(kRecords, "down on the last record stays there, not on the end of the file");
    EXPECT_FALSE(ask(set, "Eof").asLogical());
    EXPECT_FALSE(ask(set, "lOnAppend").asLogical()) << "no editable column: Down at the end starts no new record";
    key(VK_UP);
    expectInStep(kRecords - 1, "up");
    EXPECT_EQ(get("nRowSel"), rows - 1);
    key(VK_HOME);
    expectInStep(1, "home");
    EXPECT_EQ(get("nRowSel"), 1);
}

TEST_F(DbBrowse, FollowsTheSetWhenAnotherControlMovesIt) {
    makeMainForm();
    const int64_t rows = get("RowCount");
    ask(set, "GoTo", {Value(25)});
    EXPECT_EQ(get("nKeyNo"), 25);
    EXPECT_EQ(get("nRowSel"), 1) << "the marker keeps its screen row";
    ask(set, "nSkip", {Value(1)});
    EXPECT_EQ(get("nKeyNo"), 26);
    EXPECT_EQ(get("nRowSel"), 2);
    ask(set, "GoBottom");
    EXPECT_EQ(get("nKeyNo"), kRecords);
    EXPECT_EQ(get("nRowSel"), rows);
    ask(set, "nSkip", {Value(5)});  // past the end: the set stays on the last record the grid shows
    EXPECT_EQ(recno(), kRecords);
    EXPECT_EQ(get("nKeyNo"), kRecords);
    ask(set, "GoTop");
    EXPECT_EQ(get("nKeyNo"), 1);
    EXPECT_EQ(get("nRowSel"), 1);
    ask(set, "Skip", {Value(0)});  // a navigator's Cancel re-reads the record
    EXPECT_EQ(get("nKeyNo"), 1);
}

TEST_F(DbBrowse, TheScrollThumbAndClicksKeepTheEditsOnTheGridsRecord) {
    makeMainForm();
    int posted = 0;
    ask(set, "_OnPostChange", {counter(posted)});
    thumb(20);
    expectInStep(20, "thumb");
    EXPECT_EQ(get("nKeyNo"), 20);
    EXPECT_EQ(posted, 1) << "the set's other controls hear of the move once";
    clickRow(get("nRowSel") + 2);
    expectInStep(22, "click two rows below");
    EXPECT_EQ(get("nKeyNo"), 22) << "counted once";
    EXPECT_EQ(posted, 2);
}

TEST_F(DbBrowse, ANavigatorOnTheFormMovesTheGridWithTheEdits) {
    makeMainForm();
    const Value nav = makeControl(data::TDBNavigator::classRecord(), form, 300, 270, 240, 28,
                                  [&](const Value& n) { ask(n, "_oDataSet", {set}); });
    const HWND bar = hwndOf(nav);
    ASSERT_TRUE(IsWindow(bar));
    const auto click = [&](int button) {
        SendMessageA(GetParent(bar), WM_COMMAND, MAKEWPARAM(30000 + button, 0), reinterpret_cast<LPARAM>(bar));
        pump();
    };
    click(3);  // Next
    expectInStep(2, "next");
    EXPECT_EQ(get("nKeyNo"), 2);
    click(4);  // Last
    expectInStep(kRecords, "last");
    EXPECT_EQ(get("nKeyNo"), kRecords);
    EXPECT_EQ(get("nRowSel"), get("RowCount"));
    click(7);  // Edit, then Cancel: the set reads its record again and the grid stays on it
    EXPECT_TRUE(ask(set, "lOnEdit").asLogical());
    click(9);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    expectInStep(kRecords, "cancel");
    EXPECT_EQ(get("nKeyNo"), kRecords);
    click(1);  // First
    expectInStep(1, "first");
    EXPECT_EQ(get("nRowSel"), 1);
}

TEST_F(DbBrowse, TheThumbOnAHiddenDeletedRecordLandsOnAVisibleOne) {
    makeMainForm();
    ask(set, "GoTo", {Value(20)});
    ASSERT_TRUE(ask(set, "Delete").asLogical());
    rt::settings().deleted = true;
    ask(set, "GoTop");
    thumb(20);
    EXPECT_FALSE(ask(set, "Deleted").asLogical());
    expectInStep(19, "the visible record before the hidden one");
}

TEST_F(DbBrowse, DeletingIsRefusedUnlessAllowedAndVetoable) {
    makeMainForm();
    ask(set, "GoTo", {Value(3)});
    key(VK_DELETE);
    EXPECT_FALSE(ask(set, "Deleted").asLogical()) << "the Delete key needs lAllowDelete";
    EXPECT_FALSE(ask(grid, "Delete").asLogical());
    ask(grid, "_lAllowDelete", {Value(true)});
    int asked = 0;
    ask(grid, "_OnDelete", {counter(asked, Value(false))});
    EXPECT_FALSE(ask(grid, "Delete").asLogical());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(ask(set, "Deleted").asLogical()) << "vetoed";
    ask(grid, "_OnDelete", {Value()});
    key(VK_DELETE);
    EXPECT_TRUE(ask(set, "Deleted").asLogical());
}

TEST_F(DbBrowse, EditingACellWritesTheFieldAndEscapeLeavesItAsItWas) {
    makeMainForm();
    const Value names = editableNames();
    ask(set, "GoTo", {Value(2)});
    ASSERT_TRUE(ask(names, "Edit").asLogical());
    EXPECT_TRUE(ask(set, "lOnEdit").asLogical()) << "the cell's edit is the set's";
    typeInto(ask(names, "oGridEdit"), "ZULEMA", VK_RETURN);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    EXPECT_EQ(get("nEditMode"), 0);
    EXPECT_EQ(text(nombre), "ZULEMA") << "the set's other controls show the posted value";
    EXPECT_EQ(get("nLen"), kRecords);
    ASSERT_TRUE(ask(names, "Edit").asLogical());
    typeInto(ask(names, "oGridEdit"), "OTRA", VK_ESCAPE);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    ask(set, "Close");
    EXPECT_EQ(nameInTable(2), "ZULEMA");
}

TEST_F(DbBrowse, DownOnTheLastRecordAppendsInTheCellsWhenAllowed) {
    makeMainForm();
    const Value names = editableNames();
    ask(grid, "_lAllowAppend", {Value(true)});
    key(VK_END);
    key(VK_DOWN);
    ASSERT_EQ(get("nEditMode"), 2) << "an in-cell append";
    EXPECT_TRUE(ask(set, "lOnAppend").asLogical());
    typeInto(ask(names, "oGridEdit"), "NUEVA", VK_ESCAPE);
    EXPECT_FALSE(ask(set, "lOnAppend").asLogical());
    EXPECT_EQ(get("nLen"), kRecords) << "cancelled: no row more";
    paint();
    key(VK_DOWN);
    ASSERT_EQ(get("nEditMode"), 2);
    typeInto(ask(names, "oGridEdit"), "NUEVA", VK_RETURN);
    EXPECT_EQ(get("nLen"), kRecords + 1) << "posted: one row more, counted once";
    EXPECT_EQ(ask(set, "RecCount").asInteger(), kRecords + 1);
    ask(set, "Close");
    EXPECT_EQ(nameInTable(kRecords + 1), "NUEVA");
}

TEST_F(DbBrowse, AnEditTheSetRefusesLeavesTheGridReading) {
    makeMainForm();
    const Value names = editableNames();
    ASSERT_TRUE(ask(grid, "Edit").asLogical());
    EXPECT_TRUE(ask(set, "lOnEdit").asLogical());
    ask(grid, "CancelEdit", {Value(true)});
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());

    ask(set, "SetFilter", {Value("NUMERO > 999")});  // nothing visible: the set is on its end-of-file record
    EXPECT_FALSE(ask(grid, "Edit").asLogical());
    EXPECT_EQ(get("nEditMode"), 0);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());

    // Without lAutoSave the column starts the set's edit itself: refused there, no editor opens either.
    ask(grid, "_lAutoSave", {Value(false)});
    EXPECT_FALSE(ask(names, "Edit").asLogical());
    EXPECT_EQ(get("nEditMode"), 0);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    EXPECT_FALSE(IsWindowVisible(hwndOf(ask(names, "oGridEdit"))));
    ask(set, "ClearFilter");
    ask(set, "GoTop");
    ASSERT_TRUE(ask(names, "Edit").asLogical()) << "a set that can edit takes the column's edit";
    EXPECT_TRUE(ask(set, "lOnEdit").asLogical());
    ask(grid, "CancelEdit", {Value(true)});
}

TEST_F(DbBrowse, AColumnOnAFieldTheSetLacksRefusesItsEditAndLogsTheName) {
    makeMainForm();
    const Value names = editableNames();
    ask(names, "_oDataField", {Value("NOSUCH")});
    said.clear();
    EXPECT_FALSE(ask(names, "Edit").asLogical());
    EXPECT_EQ(get("nEditMode"), 0);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    EXPECT_NE(std::find(said.begin(), said.end(), "LOGDEBUG VORPEX: Incorrect TDBBrowse:oDataField value: NOSUCH"),
              said.end());
}

TEST_F(DbBrowse, ADoubleClickOnAHeaderDividerFitsThatColumn) {
    makeMainForm();
    const HWND header = hwndOf(ask(grid, "oHeader"));
    NMHEADERA divider{};
    divider.hdr = {header, static_cast<UINT_PTR>(GetDlgCtrlID(header)), static_cast<UINT>(HDN_DIVIDERDBLCLICKA)};
    divider.iItem = 2;  // the selector's item, NUMERO's, then NOMBRE's
    SendMessageA(hwndOf(grid), WM_NOTIFY, divider.hdr.idFrom, reinterpret_cast<LPARAM>(&divider));
    EXPECT_LT(ask(column(2), "nWidth").asInteger(), 554) << "NOMBRE fitted to its texts";
    EXPECT_EQ(ask(column(1), "nWidth").asInteger(), 64) << "NUMERO as it was";
}

TEST_F(DbBrowse, DeleteAnswersWhatTheSetDid) {
    makeMainForm();
    ask(grid, "_lAllowDelete", {Value(true)});
    int changes = 0;
    ask(grid, "_OnChange", {counter(changes)});
    ask(set, "_OnPreDelete", {block([](rt::Args) { return Value(false); })});
    EXPECT_FALSE(ask(grid, "Delete").asLogical()) << "the set refused";
    EXPECT_EQ(changes, 0);
    ask(set, "_OnPreDelete", {Value()});
    EXPECT_TRUE(ask(grid, "Delete").asLogical());
    EXPECT_GE(changes, 1);
}

TEST_F(DbBrowse, AHeaderClickSortsAscendingThenDescendingThenAscending) {
    makeMainForm();
    ask(grid, "_lAutoOrder", {Value(true)});
    const Value byName = column(2);
    // Names sort backwards: by name ascending record 40 ("N01") comes first, descending record 1 ("N40").
    const struct {
        int64_t mark;
        int first;
    } clicks[] = {{1, kRecords}, {-1, 1}, {1, kRecords}};
    for (const auto& c : clicks) {
        ask(byName, "HeaderClick", {Value(0), Value(0)});
        EXPECT_EQ(ask(byName, "nSort").asInteger(), c.mark);
        EXPECT_EQ(ask(column(1), "nSort").asInteger(), 0);
        EXPECT_EQ(get("nKeyNo"), ask(set, "KeyNo").asInteger()) << "the grid shows where the set is";
        ask(set, "GoTop");
        expectInStep(c.first, "the first record in the new order");
        EXPECT_EQ(get("nKeyNo"), 1);
    }
    ask(grid, "_lAutoOrder", {Value(false)});
    EXPECT_EQ(ask(byName, "nSort").asInteger(), 0) << "turning it off clears the mark";
}

TEST_F(DbBrowse, TheFilterBarFiltersTheSetAndARejectedConditionBeeps) {
    makeMainForm();
    ask(grid, "_lFilterBar", {Value(true)});
    ask(column(1), "_cFilter", {Value(">135")});
    ask(grid, "SetFilter", {Value(1)});
    EXPECT_EQ(ask(set, "KeyCount", {Value(true)}).asInteger(), 5);
    expectInStep(36, "the first record the filter keeps");
    EXPECT_EQ(get("nKeyNo"), 36);

    ask(column(2), "_FilterEval", {Value("NOMBRE $$ (")});
    ask(column(2), "_cFilter", {Value("x")});
    said.clear();
    ask(grid, "SetFilter", {Value(2)});
    EXPECT_NE(std::find(said.begin(), said.end(), "MSGBEEP "), said.end());
    EXPECT_EQ(trimmed(ask(column(2), "cFilter")), "") << "the rejected column's text is cleared";
}

TEST_F(DbBrowse, EndingTheGridTakesOffTheFilterBarsTerms) {
    makeMainForm();
    ask(grid, "_lFilterBar", {Value(true)});
    ask(column(1), "_cFilter", {Value(">135")});
    ask(grid, "SetFilter", {Value(1)});
    ask(grid, "End");
    EXPECT_EQ(trimmed(ask(set, "Filter", {Value(), Value(false), Value(false)})), "");
}

TEST_F(DbBrowse, EndingTheGridLeavesTheProgramsOwnFilter) {
    makeMainForm();
    ask(set, "Filter", {Value("NUMERO > 130"), Value(true), Value(true), Value(true)});
    ask(grid, "End");
    EXPECT_EQ(trimmed(ask(set, "Filter", {Value(), Value(false), Value(false)})), "NUMERO > 130");
}

TEST_F(DbBrowse, ASecondBrowseOnTheSetTakesItFromTheFirst) {
    makeMainForm();
    const Value first = grid;
    makeControl(TDBBrowse::classRecord(), form, 0, 0, 200, 100, [&](const Value& g) { ask(g, "_oDataSet", {set}); });
    said.clear();
    EXPECT_EQ(ask(first, "Skip", {Value(1)}).asInteger(), 0);
    EXPECT_EQ(said, std::vector<std::string>{"LOGDEBUG VORPEX DBBrowse: TDataSet object is pointing to another TDBBrowse"});
}

TEST_F(DbBrowse, ClosingTheSetTurnsTheColumnsBackIntoNames) {
    makeMainForm();
    ASSERT_TRUE(ask(column(2), "oDataField").isObject());
    ask(set, "Close");
    EXPECT_EQ(trimmed(ask(column(2), "oDataField")), "NOMBRE");
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_TRUE(ask(column(2), "oDataField").isObject());
    EXPECT_EQ(cell(2), nameOf(1));
}

}  // namespace
}  // namespace vorpex::testing
