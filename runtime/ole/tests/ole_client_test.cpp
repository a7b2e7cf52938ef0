// The OLE client against the spreadsheet stand-in, registered in the prefix as "Excel.Application": creation,
// property reads and writes, calls with arguments of every value type, nested objects, the server's errors
// and the client's own, and exact reference counts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "runtime/core/class.h"
#include "runtime/core/error.h"
#include "runtime/core/object.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/date.h"
#include "runtime/ole/ole.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xl_standin.h"

namespace rt::ole {
namespace {

using rt::testing::RecordingHandler;
using vorpex::testing::xlLiveObjects;
using vorpex::testing::xlStandInEntry;
const auto* const registration = ::testing::AddGlobalTestEnvironment(new vorpex::testing::XlStandInRegistration);

void putClipboardText(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text) {
        const size_t size = std::strlen(text) + 1;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
    }
    CloseClipboard();
}

class OleClient : public ::testing::Test {
protected:
    std::string journal() const { return xl_.journal(); }
    // A new workbook's first sheet.
    static Value newSheet(const Value& app) {
        return send(send(send(app, "Workbooks"), "Add"), "Worksheets", {1});
    }

    vorpex::testing::XlSettings xl_;
};

TEST_F(OleClient, CreatesTheServerAndReadsAndWritesItsProperties) {
    const Value app = createObject("Excel.Application");
    ASSERT_TRUE(app.isObject());
    EXPECT_EQ(app.asObject()->objectClass().name(), "TOLEAUTO");
    EXPECT_EQ(lastErrorText(), "S_OK");
    EXPECT_FALSE(send(app, "Visible").asLogical());
    send(app, "_Visible", {true});
    EXPECT_TRUE(send(app, "visible").asLogical());
    EXPECT_NE(journal().find("Application#"), std::string::npos);
    EXPECT_NE(journal().find(" PUT Visible() := .T."), std::string::npos);
}

TEST_F(OleClient, ReachesNestedObjectsAndCarriesEveryValueTypeBothWays) {
    const Value sheet = newSheet(createObject("Excel.Application"));
    ASSERT_TRUE(sheet.isObject());
    const Date day = makeDate(2010, 3, 25);
    const struct {
        const char* name;
        Value value;
    } cases[] = {
        {"text in code page 1252", Value("A\xF1o \xF1" "and\xFA")}, {"integer", Value(42)},
        {"real", Value(3.25)},                           {"logical", Value(true)},
        {"date", Value(day)},                            {"NIL", Value()},
    };
    for (const auto& c : cases) {
        send(send(sheet, "Range", {"A1"}), "_Value", {c.value});
        const Value back = send(send(sheet, "Cells", {1, 1}), "Value");
        EXPECT_EQ(back.typeCode(), c.value.typeCode()) << c.name;
        if (c.value.isNumber()) {
            EXPECT_EQ(back.asDouble(), c.value.asDouble()) << c.name;
        } else {
            EXPECT_TRUE(back.sameAs(c.value)) << c.name;
        }
    }
    EXPECT_NE(journal().find("Worksheet#"), std::string::npos);
    EXPECT_NE(journal().find(" GET Cells(1, 1) -> Range#"), std::string::npos);
}

TEST_F(OleClient, PassesObjectsAsArgumentsAndRaisesTheServerErrorText) {
    const Value sheet = newSheet(createObject("Excel.Application"));
    putClipboardText("a\tb\r\nc\td\r\n");
    send(sheet, "Paste", {send(sheet, "Range", {"A5"})});
    EXPECT_EQ(send(send(sheet, "Range", {"B5"}), "Value").asString(), "b");
    EXPECT_EQ(send(send(sheet, "Cells", {6, 1}), "Value").asString(), "c");
    EXPECT_NE(journal().find("Paste(Range#"), std::string::npos);

    putClipboardText(nullptr);
    RecordingHandler handler(ErrorAction::Default);
    EXPECT_TRUE(send(sheet, "Paste", {send(sheet, "Range", {"A9"})}).isNil());
    ASSERT_EQ(handler.seen.size(), 1u);
    EXPECT_EQ(handler.seen[0].subSystem, "OLE");
    EXPECT_EQ(handler.seen[0].description, "Paste method of Worksheet class failed");
    EXPECT_EQ(handler.seen[0].operation, "PASTE");
    EXPECT_EQ(lastErrorText(), "Paste method of Worksheet class failed");
}

TEST_F(OleClient, AnUnknownMemberRaisesTheNoMethodErrorWithTheOleText) {
    const Value app = createObject("Excel.Application");
    {
        RecordingHandler handler(ErrorAction::Default);
        EXPECT_TRUE(send(app, "Frobnicate", {1, "x"}).isNil());
        ASSERT_EQ(handler.seen.size(), 1u);
        EXPECT_EQ(handler.seen[0].genCode, eg::NoMethod);
        EXPECT_EQ(handler.seen[0].description, "DISP_E_UNKNOWNNAME");
        EXPECT_EQ(handler.seen[0].operation, "FROBNICATE");
        EXPECT_EQ(handler.seen[0].args.asArray()->size(), 2u);
    }
    EXPECT_NE(journal().find(" UNKNOWN FROBNICATE"), std::string::npos);
    // Under a handler that breaks, the break leaves the call.
    RecordingHandler breaking(ErrorAction::Break);
    EXPECT_THROW(send(app, "_NoSuchProperty", {1}), Break);
}

TEST_F(OleClient, ACreationThatFailsRaisesACreateErrorWithTheReason) {
    const struct {
        const char* progId;
        const char* failSwitch;
        const char* text;
    } cases[] = {
        {"Vorpex.NoSuchServer", nullptr, "CO_E_CLASSSTRING"},
        {"Excel.Application", "VORPEX_XL_FAIL_CREATE", "CO_E_SERVER_EXEC_FAILURE"},
    };
    for (const auto& c : cases) {
        if (c.failSwitch) SetEnvironmentVariableA(c.failSwitch, "1");
        RecordingHandler handler(ErrorAction::Default);
        EXPECT_TRUE(createObject(c.progId).isNil()) << c.progId;
        ASSERT_EQ(handler.seen.size(), 1u) << c.progId;
        EXPECT_EQ(handler.seen[0].genCode, eg::Create);
        EXPECT_EQ(handler.seen[0].subSystem, "OLE");
        EXPECT_EQ(handler.seen[0].description, c.text);
        EXPECT_EQ(handler.seen[0].operation, "CREATEOBJECT");
        EXPECT_EQ(lastErrorText(), c.text);
        if (c.failSwitch) SetEnvironmentVariableA(c.failSwitch, nullptr);
    }
}

TEST_F(OleClient, AFailingWorkbooksAddCarriesTheSpreadsheetText) {
    const Value books = send(createObject("Excel.Application"), "Workbooks");
    xl_.failing("VORPEX_XL_FAIL_ADD");
    RecordingHandler handler(ErrorAction::Default);
    EXPECT_TRUE(send(books, "Add").isNil());
    ASSERT_EQ(handler.seen.size(), 1u);
    EXPECT_EQ(handler.seen[0].description, "Add method of Workbooks class failed");
}

TEST_F(OleClient, GetActiveObjectFindsTheRunningInstanceOnly) {
    {
        RecordingHandler handler(ErrorAction::Default);
        EXPECT_TRUE(getActiveObject("Excel.Application").isNil());
        ASSERT_EQ(handler.seen.size(), 1u);
        EXPECT_EQ(handler.seen[0].description, "MK_E_UNAVAILABLE");
        EXPECT_EQ(handler.seen[0].operation, "GETACTIVEOBJECT");
    }
    ASSERT_EQ(xlStandInEntry<HRESULT(WINAPI*)()>("VorpexXlStartRunning")(), S_OK);
    send(getActiveObject("Excel.Application"), "_Visible", {true});
    EXPECT_TRUE(send(getActiveObject("Excel.Application"), "Visible").asLogical());
    EXPECT_FALSE(send(createObject("Excel.Application"), "Visible").asLogical());
    EXPECT_EQ(xlStandInEntry<HRESULT(WINAPI*)()>("VorpexXlStopRunning")(), S_OK);
}

TEST_F(OleClient, HoldsExactlyTheReferencesItsObjectsNeed) {
    const long before = xlLiveObjects();
    {
        RecordingHandler handler(ErrorAction::Default);
        const Value app = createObject("Excel.Application");
        const Value sheet = newSheet(app);
        const Value font = send(send(sheet, "Range", {"B1:H3"}), "Font");
        send(font, "_Bold", {true});
        send(sheet, "Paste", {send(sheet, "Range", {"A1"})});  // fails or not: the arguments are released
        send(sheet, "NoSuchMember");
        send(send(sheet, "Range", {"A1"}), "Merge", {Value::array({1})});  // refused: type mismatch
        EXPECT_GT(xlLiveObjects(), before);
    }
    EXPECT_EQ(xlLiveObjects(), before);
}

TEST_F(OleClient, WritesTheWorkbookOnSaveAsAndWhenShown) {
    const Value app = createObject("Excel.Application");
    const Value book = send(send(app, "Workbooks"), "Add");
    send(send(send(book, "Worksheets", {1}), "Range", {"B2"}), "_Value", {"Hola"});
    const std::string saved = xl_.file("saved.xlsx"), shown = xl_.file("shown.xlsx");
    send(book, "SaveAs", {saved});
    xl_.showInto(shown);
    send(app, "_Visible", {true});
    for (const std::string& path : {saved, shown}) {
        std::ifstream in(path, std::ios::binary);
        char signature[2] = {};
        in.read(signature, 2);
        EXPECT_EQ(std::string(signature, 2), "PK") << path;
    }
}

TEST_F(OleClient, TheFunctionsAreCallableByName) {
    registerFunctions();
    const Value app = rt::testing::call("CREATEOBJECT", {"Excel.Application"});
    EXPECT_TRUE(app.isObject());
    RecordingHandler handler(ErrorAction::Default);
    send(app, "Nothing");
    EXPECT_EQ(rt::testing::call("OLE2TXTERROR").asString(), "DISP_E_UNKNOWNNAME");
}

// Fills a workbook through the client the way the report export does, pasting its body through the clipboard,
// and saves it where VORPEX_XL_OUT names, for the independent reader (ole_xlsx_reader_test.py); skipped
// without it.
TEST_F(OleClient, FillsAWorkbookForAnIndependentReader) {
    char out[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("VORPEX_XL_OUT", out, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) GTEST_SKIP() << "VORPEX_XL_OUT names no file";
    const Value app = createObject("Excel.Application");
    const Value book = send(send(app, "Workbooks"), "Add");
    const Value sheet = send(book, "Worksheets", {1});
    const Value columnA = send(sheet, "Columns", {"A"});
    send(columnA, "_ColumnWidth", {0.5});
    send(send(columnA, "Font"), "_Bold", {true});
    send(send(sheet, "Cells", {1, 2}), "_Value", {"Cabecera"});
    const Value title = send(sheet, "Cells", {2, 2});
    send(title, "_Value", {"T\xEDtulo \xF1"});  // "Título ñ" in code page 1252, as programs hold texts
    send(title, "_HorizontalAlignment", {3});
    send(send(title, "Font"), "_Bold", {true});
    send(send(sheet, "Range", {"B1:D3"}), "Merge", {true});
    send(send(sheet, "Cells", {4, 2}), "_Value", {"Nombre"});
    send(send(sheet, "Cells", {4, 3}), "_Value", {"Horas"});
    const Value titles = send(sheet, "Range", {"B4:D4"});
    send(send(titles, "Font"), "_Bold", {true});
    send(send(titles, "Font"), "_Size", {8});
    send(send(titles, "Interior"), "_Color", {12632256});
    const Value hours = send(sheet, "Columns", {"C"});
    send(hours, "_HorizontalAlignment", {4});
    send(hours, "_NumberFormat", {"#,##0.00"});
    putClipboardText("\tAna\t1,50\r\n\tLuis\t2\r\n");
    send(sheet, "Paste", {send(sheet, "Range", {"A6"})});
    send(send(sheet, "Columns", {"B:D"}), "AutoFit");
    send(book, "SaveAs", {std::string(out, n)});
    send(book, "Close");
}

}  // namespace
}  // namespace rt::ole
