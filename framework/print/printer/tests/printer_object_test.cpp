// The printer object: one per program, its answers with no printer installed, the job's state machine, a
// preview recorded page by page into metafiles with no printer (against the screen, on A4), and a real
// two-page job on a printer when one is installed (run_with_cups.sh installs a PDF printer and checks the
// document that comes out).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics.h"
#include "framework/print/printer/printer.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

#ifdef _WIN32
#include <windows.h>

#include "tests/support/memory_canvas.h"
#endif

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), args);
}

class PrinterObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        print::registerPrinterFunctions();
        registerPrinterClasses();
        printer = ask(Value(TPrinter::classRecord().instantiate()), "Initialize");
    }
    void TearDown() override {
        ask(printer, "Destroy");
        rt::publicVar("Printer") = Value();
    }
    static bool printerExpected() { return std::getenv("VORPEX_EXPECT_PRINTER") != nullptr; }
    Value printer;
};

TEST_F(PrinterObjectTest, OneObjectPerProgramAndNothingInProgressAtFirst) {
    EXPECT_TRUE(rt::publicVar("Printer").sameAs(printer));
    const Value second = ask(Value(TPrinter::classRecord().instantiate()), "Initialize");
    EXPECT_TRUE(second.sameAs(printer)) << "a second Initialize gives the same object";
    if (!printerExpected()) {
        EXPECT_EQ(ask(printer, "aPrinterNames").asArray()->items.size(), 0u);
        EXPECT_EQ(ask(printer, "cPrinterName").asString(), "");
        EXPECT_EQ(ask(printer, "nPrinterIndex").asInteger(), 0);
    }
    for (const char* message : {"EndPage", "EndDoc", "AbortDoc", "Preview"})
        EXPECT_FALSE(ask(printer, message).asLogical()) << message << " with no job";
    EXPECT_FALSE(ask(printer, "IsPrinting").asLogical());
}

TEST_F(PrinterObjectTest, AJobThatCannotStartLeavesNothingBehind) {
    if (printerExpected()) GTEST_SKIP() << "a printer is installed";
    EXPECT_FALSE(ask(printer, "StartDoc", {"Informe"}).asLogical()) << "no printer to print on";
    EXPECT_FALSE(ask(printer, "IsPrinting").asLogical());
    EXPECT_EQ(ask(printer, "hDC").asInteger(), 0);
    EXPECT_FALSE(ask(printer, "StartPage").asLogical());
}

#ifdef _WIN32

Value rect(int64_t l, int64_t t, int64_t r, int64_t b) { return Value::array({l, t, r, b}); }

TEST_F(PrinterObjectTest, APreviewWithoutAPrinterRecordsEachPageOnAnA4Sheet) {
    if (printerExpected()) GTEST_SKIP() << "a printer is installed";
    ask(printer, "_lPreview", {true});
    ASSERT_TRUE(ask(printer, "StartDoc", {"Informe"}).asLogical());
    const Value canvas = ask(printer, "oCanvas");
    ASSERT_TRUE(canvas.isObject());
    ask(canvas, "_nMapMode", {1});
    for (int page = 1; page <= 3; ++page) {
        ASSERT_TRUE(ask(printer, "StartPage").asLogical()) << page;
        EXPECT_EQ(ask(printer, "nPageNumber").asInteger(), page);
        EXPECT_NE(ask(canvas, "hDC").asInteger(), 0);
        // The top-left quarter of the sheet, red.
        EXPECT_TRUE(ask(canvas, "FillRect", {rect(0, 0, 1050, 1485), 255}).asLogical());
        if (page < 3) {
            EXPECT_TRUE(ask(printer, "EndPage").asLogical());
        }
    }
    EXPECT_TRUE(ask(printer, "EndDoc").asLogical()) << "the open last page is ended with the document";
    EXPECT_FALSE(ask(printer, "IsPrinting").asLogical());

    const Value device = ask(printer, "oPreviewDC");
    const auto& pages = ask(device, "aEmf").asArray()->items;
    ASSERT_EQ(pages.size(), 3u);
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string description = ask(pages[i], "cDescription").asString();
        const std::string tail = "#Informe # " + std::to_string(i + 1);
        EXPECT_EQ(description.substr(description.size() - std::min(description.size(), tail.size())), tail);
        EXPECT_EQ(ask(pages[i], "nMmsWidth").asInteger(), 21000);
        EXPECT_EQ(ask(pages[i], "nMmsHeight").asInteger(), 29700);
    }
    MemoryCanvas sheet(210, 297, RGB(255, 255, 255));
    ASSERT_TRUE(sheet.ready());
    ASSERT_TRUE(ask(pages[1], "Paint", {Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(sheet.dc()))), 0, 0,
                                        210, 297}).asLogical());
    EXPECT_EQ(sheet.at(50, 70), RGB(255, 0, 0));
    EXPECT_EQ(sheet.at(160, 220), RGB(255, 255, 255));

    int shown = 0;
    ask(printer, "_OnPreview", {Value(rt::makeBlock([&shown](rt::Args) {
            ++shown;
            return Value(false);
        }))});
    EXPECT_TRUE(ask(printer, "Preview").asLogical()) << "the handler showed the pages its own way";
    EXPECT_EQ(shown, 1);
    ask(device, "Destroy");
    EXPECT_FALSE(ask(printer, "Preview").asLogical()) << "no pages left";
}

TEST_F(PrinterObjectTest, PagesEndWhenTheNextStartsOrASettingChangesAndEachJobKeepsItsOwnPages) {
    if (printerExpected()) GTEST_SKIP() << "a printer is installed";
    struct TitledApplication : TComponent {
        using TComponent::TComponent;
    };
    VPClass app("PrinterTestApplication", &TComponent::classRecord(), rt::factoryOf<TitledApplication>());
    app.addData("cTitle", "Asistencias", "C");
    rt::publicVar("Application") = Value(app.create().instantiate());

    ask(printer, "_lPreview", {true});
    ASSERT_TRUE(ask(printer, "StartDoc").asLogical());
    EXPECT_EQ(ask(printer, "cJobTitle").asString(), "Asistencias") << "no title: the application's";
    ASSERT_TRUE(ask(printer, "StartPage").asLogical());
    ASSERT_TRUE(ask(printer, "StartPage").asLogical());
    EXPECT_EQ(ask(printer, "nPageNumber").asInteger(), 2);
    ask(printer, "_nOrientation", {2});
    EXPECT_FALSE(ask(printer, "lOnPage").asLogical()) << "a setting changed during a job ends the open page";
    EXPECT_FALSE(ask(printer, "EndPage").asLogical()) << "no page open";
    ASSERT_TRUE(ask(printer, "StartPage").asLogical());
    EXPECT_TRUE(ask(printer, "EndDoc").asLogical());
    const Value first = ask(printer, "oPreviewDC");
    ASSERT_EQ(ask(first, "aEmf").asArray()->items.size(), 3u);

    // The next job records on a device of its own; the first job's pages stay for whoever shows them.
    ASSERT_TRUE(ask(printer, "StartDoc", {"Otro"}).asLogical());
    EXPECT_FALSE(ask(printer, "oPreviewDC").sameAs(first));
    const Value page = ask(first, "aEmf").asArray()->items[0];
    EXPECT_NE(ask(page, "Handle").asInteger(), 0);
    EXPECT_FALSE(ask(printer, "EndDoc").asLogical()) << "a preview without pages";
    rt::publicVar("Application") = Value();
}

// Run by run_with_cups.sh against its PDF printer, which then checks the document: two pages, each with its text.
TEST_F(PrinterObjectTest, AnInstalledPrinterPrintsATwoPageCanvasDocument) {
    if (!printerExpected()) GTEST_SKIP() << "no printer installed";
    ASSERT_GT(ask(printer, "aPrinterNames").asArray()->items.size(), 0u);
    ASSERT_TRUE(ask(printer, "StartDoc", {"Vorpex print test"}).asLogical());
    const Value canvas = ask(printer, "oCanvas");
    ask(canvas, "_nMapMode", {1});
    ask(canvas, "_oFont", {ask((*rt::findFunction("TFONT"))({}), "Create", {"Courier", 14})});
    for (const char* text : {"Pagina uno", "Pagina dos"}) {
        ASSERT_TRUE(ask(printer, "StartPage").asLogical()) << text;
        EXPECT_TRUE(ask(canvas, "TextOut", {200, 300, text}).asLogical()) << text;
        EXPECT_TRUE(ask(canvas, "Rectangle", {rect(200, 500, 1000, 800)}).asLogical());
        ASSERT_TRUE(ask(printer, "EndPage").asLogical()) << text;
    }
    EXPECT_TRUE(ask(printer, "EndDoc").asLogical());
}

#endif

}  // namespace
}  // namespace vorpex::testing
