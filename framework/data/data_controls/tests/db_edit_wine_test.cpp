// Data-aware edits on a real form under Wine, over a DBF table: two TDBEdits and a TDBMaskEdit show each
// record the set moves to, refuse typing while the set browses, take typing in edit mode, write it on Update
// and show the table's values again on Cancel; a TDBNavigator moves, edits and posts the same set.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/data/data.h"
#include "framework/data/data_controls/data_controls.h"
#include "framework/data/data_controls/db_edit.h"
#include "framework/data/data_controls/db_navigator.h"
#include "runtime/core/block.h"
#include "framework/data/data_source/data_source_list.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using rt::testing::call;

Value ask(const Value& o, const char* message, std::initializer_list<Value> args = {}) {
    return rt::send(o, message, args);
}

class DbEdits : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        registerDataSets();
        registerDataControls();
        for (const char* quiet : {"MSGALERT", "LOGDEBUG"})
            rt::registerFunction(quiet, [this](rt::Args a) {
                shown.push_back(rt::arg(a, 0).isString() ? rt::arg(a, 0).asString() : std::string());
                return Value();
            });
        makeTable();
        source = ask(call("TNTXDATASOURCE"), "New");
        ask(source, "_cConnect", {Value(dir.path().string())});
        set = ask(call("TDBFDATASET"), "Create", {Value(), source, Value("empleado")});
        form = makeForm();
    }
    void TearDown() override {
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
        const char* names[] = {"Ana", "Beto", "Cruz"};
        for (int i = 0; i < 3; ++i) {
            call("DBAPPEND");
            call("FIELDPUT", {Value(1), Value(101 + i)});
            call("FIELDPUT", {Value(2), Value(names[i])});
            call("FIELDPUT", {Value(3), Value(i == 2 ? "*" : " ")});
        }
        call("DBCLOSEAREA");
    }
    Value bound(const rt::Class& cls, const char* field, int top, const char* picture = nullptr) {
        return makeControl(cls, form, 10, top, 200, 22, [&](const Value& e) {
            if (picture) rt::send(e, "_cPicture", {Value(picture)});
            rt::send(e, "_oDataField", {Value(field)});
            rt::send(e, "_oDataSet", {set});
        });
    }
    static std::string text(const Value& c) {
        char buf[256] = {};
        GetWindowTextA(hwndOf(c), buf, sizeof buf);
        std::string s = buf;
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    static bool windowReadOnly(const Value& c) { return (GetWindowLongA(hwndOf(c), GWL_STYLE) & ES_READONLY) != 0; }
    static void typeOver(const Value& c, const std::string& chars) {
        SendMessageA(hwndOf(c), EM_SETSEL, 0, -1);
        for (unsigned char ch : chars) {
            SendMessageA(hwndOf(c), WM_CHAR, ch, 1);
            pump();
        }
    }
    std::string nameInTable(int rec) {
        call("DBUSEAREA", {Value(true), Value(), Value(dir.file("empleado.dbf")), Value("CHECK"), Value(true)});
        call("DBGOTO", {Value(rec)});
        const Value v = call("FIELDGET", {Value(2)});
        call("DBCLOSEAREA");
        const std::string s = v.isString() ? v.asString() : std::string();
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }

    rt::testing::TempFolder dir;
    Value source, set;
    std::vector<std::string> shown;
};

TEST_F(DbEdits, ShowEachRecordTakeTypingWhileEditingAndWriteItOnUpdate) {
    const Value nombre = bound(data::TDBEdit::classRecord(), "NOMBRE", 10);
    const Value baja = bound(data::TDBEdit::classRecord(), "BAJA", 40);
    const Value numero = bound(data::TDBMaskEdit::classRecord(), "NUMERO", 70, "9999999999");
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_EQ(text(nombre), "Ana");
    EXPECT_EQ(ask(numero, "Value").asInt(), 101);
    EXPECT_EQ(SendMessageA(hwndOf(nombre), EM_GETLIMITTEXT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(hwndOf(baja), EM_GETLIMITTEXT, 0, 0), 1);

    ask(set, "GoTo", {Value(3)});
    EXPECT_EQ(text(nombre), "Cruz");
    EXPECT_EQ(text(baja), "*");
    EXPECT_EQ(ask(numero, "Value").asInt(), 103);

    ask(set, "GoTo", {Value(2)});
    for (const Value& c : {nombre, baja, numero}) EXPECT_TRUE(windowReadOnly(c));
    typeOver(nombre, "Zoe");  // browsing: the edit refuses the keys
    EXPECT_EQ(text(nombre), "Beto");

    ASSERT_TRUE(ask(set, "Edit").asLogical());
    for (const Value& c : {nombre, baja, numero}) EXPECT_FALSE(windowReadOnly(c));
    typeOver(nombre, "Beatriz");
    typeOver(baja, "*");
    EXPECT_EQ(ask(set, "FieldGet", {Value(2)}).asString(), "Beatriz");
    ASSERT_TRUE(ask(set, "Update").asLogical());
    for (const Value& c : {nombre, baja, numero}) EXPECT_TRUE(windowReadOnly(c));
    EXPECT_EQ(text(nombre), "Beatriz");

    ASSERT_TRUE(ask(set, "Edit").asLogical());
    typeOver(nombre, "Nadie");
    ASSERT_TRUE(ask(set, "Cancel").asLogical());
    EXPECT_EQ(text(nombre), "Beatriz");
    EXPECT_EQ(text(baja), "*");

    ask(set, "Close");
    EXPECT_EQ(nameInTable(2), "Beatriz");
    EXPECT_EQ(nameInTable(1), "Ana");
}

// The navigator on the same form: its buttons follow the set's position and edit state, its clicks move, edit
// and post the set, and a veto from OnClickDelete keeps the record.
TEST_F(DbEdits, NavigatorMovesEditsAndPostsTheSet) {
    const Value nombre = bound(data::TDBEdit::classRecord(), "NOMBRE", 10);
    const Value nav = makeControl(data::TDBNavigator::classRecord(), form, 10, 100, 240, 28,
                                  [&](const Value& n) { rt::send(n, "_oDataSet", {set}); });
    const HWND bar = hwndOf(nav);
    ASSERT_TRUE(IsWindow(bar));
    ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 10);
    ASSERT_TRUE(ask(set, "Open").asLogical());
    const auto enabled = [&] {
        std::string states;
        for (int n = 1; n <= 10; ++n) states += SendMessageA(bar, TB_ISBUTTONENABLED, 30000 + n, 0) ? '1' : '0';
        return states;
    };
    const auto click = [&](int n) {
        SendMessageA(GetParent(bar), WM_COMMAND, MAKEWPARAM(30000 + n, 0), reinterpret_cast<LPARAM>(bar));
        pump();
    };
    EXPECT_EQ(enabled(), "0011111001");  // first record: no first or previous; OK and Cancel wait for an edit
    click(4);
    EXPECT_EQ(text(nombre), "Cruz");
    EXPECT_EQ(enabled(), "1100111001");
    click(2);
    EXPECT_EQ(text(nombre), "Beto");
    EXPECT_EQ(enabled(), "1111111001");

    click(7);
    EXPECT_TRUE(ask(set, "lOnEdit").asLogical());
    EXPECT_EQ(enabled(), "0000000110");
    typeOver(nombre, "Berta");
    click(8);
    EXPECT_FALSE(ask(set, "lOnEdit").asLogical());
    EXPECT_EQ(enabled(), "1111111001");

    int asked = 0;
    ask(nav, "_OnClickDelete", {Value(rt::makeBlock([&](rt::Args) { ++asked; return Value(false); }))});
    click(6);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(ask(set, "Deleted").asLogical());
    ask(nav, "_OnClickDelete", {Value()});
    click(6);
    ask(set, "GoTo", {Value(2), Value(false)});
    EXPECT_TRUE(ask(set, "Deleted").asLogical());

    ask(set, "Close");
    EXPECT_EQ(nameInTable(2), "Berta");
}

}  // namespace
}  // namespace vorpex::testing
