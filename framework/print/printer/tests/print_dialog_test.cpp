// The print and page-setup dialogs over a stand-in dialog and a recorded printer: what a run hands the dialog,
// what an answer changes (the printer the dialog names, its mode, the DC only when asked for), a cancel, and
// the functions that write the answer back through references. Under Wine with an installed printer, the real
// dialogs are answered by the test seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dialogs/dialog_answerer.h"
#include "framework/print/print_dialogs/print_dialogs.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "framework/print/printer_cache/tests/recorded_printer.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vorpex::testing {
namespace {

using rt::Value;
using namespace print;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), args);
}

class StandInDialog final : public PrintDialogPort {
public:
    PrintRequest lastPrint;
    PageSetupRequest lastPageSetup;
    PrintAnswer printAnswer;
    PageSetupAnswer pageSetupAnswer;
    StandInDialog() { setPrintDialogPort(this); }
    ~StandInDialog() override { setPrintDialogPort(nullptr); }
    PrintAnswer print(const PrintRequest& r) override {
        lastPrint = r;
        return printAnswer;
    }
    PageSetupAnswer pageSetup(const PageSetupRequest& r) override {
        lastPageSetup = r;
        return pageSetupAnswer;
    }
};

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerPrintDialogs();
        printer.printers = {{"Office", "", "", "LPT1:", "Laser", 0}, {"Plotter", "", "", "USB1:", "Ink", 0}};
        printer.records["Office"] = driverRecord(220, 40, dm::kOrientationBit | dm::kCopiesBit);
        printer.records["Plotter"] = driverRecord(148, 0, dm::kOrientationBit | dm::kCopiesBit);
        ASSERT_TRUE(printerCache().init());
    }
    void TearDown() override { printerCache().end(); }
    // A confirmed answer naming `device`, whose mode asks for `copies`.
    template <class Answer>
    static void confirm(Answer& a, const char* device, int64_t copies) {
        a.ok = true;
        a.device = device;
        std::vector<uint8_t> mode = driverRecord(148, 0, dm::kOrientationBit | dm::kCopiesBit);
        a.mode = DevMode::copyOf(mode.data(), mode.size());
        a.mode->writeShort(dm::kCopies, copies);
    }
    RecordedPrinter printer;
    StandInDialog dialog;
};

TEST_F(PrintDialogTest, ARunOffersTheWholeRangeAndTheCopiesInTheDeviceMode) {
    Value dlg = ask(Value(TPrintDlg::classRecord().instantiate()), "Create");
    ask(dlg, "_nCopies", {3});
    EXPECT_FALSE(ask(dlg, "lAllPages").asLogical()) << "its flag is 0";
    EXPECT_TRUE(ask(dlg, "lShowHelp").asLogical());
    ask(dlg, "_lReturnDC", {true});
    EXPECT_FALSE(ask(dlg, "Run").asLogical()) << "the stand-in cancels";
    const PrintRequest& r = dialog.lastPrint;
    EXPECT_EQ(r.fromPage, 1);
    EXPECT_EQ(r.toPage, 999);
    EXPECT_EQ(r.maxPage, 65535);
    EXPECT_EQ(r.flags, 0x800u | 0x100u);
    EXPECT_EQ(r.printer.device, "Office");
    EXPECT_EQ(r.printer.driver, "Laser");
    EXPECT_EQ(r.printer.mode.readShort(dm::kCopies), 3);
    EXPECT_TRUE(r.printer.mode.fields() & dm::kCopiesBit);
    EXPECT_TRUE(r.frame.dialog == dlg.asObject().get()) << "the hooks' data is the dialog";
    EXPECT_EQ(printerCache().currentMode()->readShort(dm::kCopies), 1) << "the cache's mode is not the one sent";
}

TEST_F(PrintDialogTest, AConfirmedAnswerChoosesThePrinterItNamesAndACancelChangesNothing) {
    struct Case {
        const char* device;
        uint32_t flags;
        int64_t expectedIndex, expectedDC;
    } cases[] = {{"Plotter", 0x100, 2, 77}, {"Plotter", 0, 2, 0}, {"Nobody", 0x100, 1, 77}};
    for (const Case& c : cases) {
        printerCache().selectIndex(1);
        Value dlg = ask(Value(TPrintDlg::classRecord().instantiate()), "Create");
        int closed = 0;
        ask(dlg, "_OnClose", {Value(rt::makeBlock([&closed](rt::Args) { return Value(++closed); }))});
        dialog.printAnswer = {};
        confirm(dialog.printAnswer, c.device, 4);
        dialog.printAnswer.flags = c.flags;
        dialog.printAnswer.dc = 77;
        dialog.printAnswer.fromPage = 2;
        dialog.printAnswer.toPage = 5;
        EXPECT_TRUE(ask(dlg, "Run").asLogical()) << c.device;
        EXPECT_EQ(closed, 1);
        EXPECT_EQ(printerCache().selectIndex(std::nullopt), c.expectedIndex) << c.device;
        EXPECT_EQ(ask(dlg, "hDC").asInteger(), c.expectedDC) << "a DC only when the dialog was asked for one";
        EXPECT_EQ(ask(dlg, "nCopies").asInteger(), 4) << "the copies of the chosen mode";
        EXPECT_EQ(ask(dlg, "nToPage").asInteger(), 5);
    }
    EXPECT_EQ(printerCache().currentMode()->size(), 260u) << "the unknown name left the first printer's own mode";

    Value dlg = ask(Value(TPrintDlg::classRecord().instantiate()), "Create");
    dialog.printAnswer = {};
    dialog.printAnswer.error = 0;
    EXPECT_FALSE(ask(dlg, "Run").asLogical());
    EXPECT_EQ(ask(dlg, "nLastError").asInteger(), 0) << "a plain cancel";
    EXPECT_EQ(ask(dlg, "hDC").asInteger(), 0);
}

TEST_F(PrintDialogTest, PageSetupFlagsAndTheFunctionsWriteTheAnswerBack) {
    Value dlg = ask(Value(TPageSetupDlg::classRecord().instantiate()), "Create");
    EXPECT_EQ(ask(dlg, "nFlags").asInteger(), 2050);
    ask(dlg, "_lInInches", {true});
    EXPECT_TRUE(ask(dlg, "lInInches").asLogical());
    EXPECT_EQ(ask(dlg, "nFlags").asInteger(), 2054);

    dialog.pageSetupAnswer = {};
    confirm(dialog.pageSetupAnswer, "Plotter", 1);
    dialog.pageSetupAnswer.paperWidth = 8500;
    dialog.pageSetupAnswer.paperHeight = 11000;
    dialog.pageSetupAnswer.margins = {500, 600, 700, 800};
    rt::RefCell paper = std::make_shared<Value>(Value::array({1, 1}));
    rt::RefCell margins = std::make_shared<Value>(Value::array({10, 20, 30, 40}));
    EXPECT_TRUE(rt::testing::call("PAGESETUPDLG", {Value(), Value::reference(paper), Value::reference(margins), true})
                    .asLogical());
    EXPECT_EQ(dialog.lastPageSetup.margins[3], 40) << "the margins given are the dialog's start";
    EXPECT_TRUE(dialog.lastPageSetup.flags & 0x4) << "in inches";
    EXPECT_EQ(paper->asArray()->at1(1).asInteger(), 8500);
    EXPECT_EQ(margins->asArray()->at1(4).asInteger(), 800);
    EXPECT_EQ(printerCache().selectIndex(std::nullopt), 2);

    dialog.printAnswer = {};
    confirm(dialog.printAnswer, "Office", 2);
    dialog.printAnswer.toPage = 9;
    rt::RefCell to = std::make_shared<Value>(Value(0));
    rt::RefCell copies = std::make_shared<Value>(Value(1));
    EXPECT_TRUE(rt::testing::call("PRINTDLG", {Value(), Value(3), Value::reference(to), Value::reference(copies)})
                    .asLogical());
    EXPECT_EQ(dialog.lastPrint.fromPage, 3);
    EXPECT_EQ(to->asInteger(), 9);
    EXPECT_EQ(copies->asInteger(), 2);
}

#ifdef _WIN32

// Only with a printer installed do the common dialogs open (run_with_cups.sh provides one).
class InstalledPrinterDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("VORPEX_EXPECT_PRINTER")) GTEST_SKIP() << "no printer installed";
        registerPrintDialogs();
        ASSERT_TRUE(printerCache().init());
    }
    void TearDown() override {
        setDialogAnswerer(nullptr);
        printerCache().end();
    }
};

TEST_F(InstalledPrinterDialogTest, AnInstalledPrintersDialogsAreAnsweredByTheTestSeam) {
    struct Case {
        bool returnDC, showHelp, pressHelp;
        WPARAM button;
    } cases[] = {{true, true, false, IDOK}, {true, false, false, IDCANCEL}, {false, true, true, IDCANCEL}};
    for (const Case& c : cases) {
        LONG_PTR style = 0, exStyle = 0;
        setDialogAnswerer([&](intptr_t window) {
            HWND w = reinterpret_cast<HWND>(window);
            style = GetWindowLongPtrA(w, GWL_STYLE);
            exStyle = GetWindowLongPtrA(w, GWL_EXSTYLE);
            if (c.pressHelp) PostMessageA(w, WM_COMMAND, 1038, 0);
            PostMessageA(w, WM_COMMAND, c.button, 0);
        });
        Value dlg = ask(Value(TPrintDlg::classRecord().instantiate()), "Create");
        ask(dlg, "_lReturnDC", {c.returnDC});
        ask(dlg, "_lShowHelp", {c.showHelp});
        ask(dlg, "_HelpId", {"imprimir"});
        std::string helped;
        ask(dlg, "_OnHelp", {Value(rt::makeBlock([&helped](rt::Args a) {
                helped = rt::arg(a, 1).asString();
                return Value(true);
            }))});
        const bool ok = ask(dlg, "Run").asLogical();
        EXPECT_EQ(ok, c.button == IDOK);
        EXPECT_EQ(ask(dlg, "nLastError").asInteger(), 0);
        if (c.button == IDOK) {
            EXPECT_NE(ask(dlg, "hDC").asInteger(), 0) << "lReturnDC gives the printer's DC";
            DeleteDC(reinterpret_cast<HDC>(ask(dlg, "hDC").asInteger()));
        } else {
            EXPECT_EQ(ask(dlg, "hDC").asInteger(), 0);
        }
        if (!c.showHelp) {
            EXPECT_EQ(style & DS_CONTEXTHELP, 0);
            EXPECT_EQ(exStyle & WS_EX_CONTEXTHELP, 0);
        }
        EXPECT_EQ(helped, c.pressHelp ? "imprimir" : "") << "Help reaches OnHelp with the topic";
    }
    setDialogAnswerer([](intptr_t window) { PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, IDOK, 0); });
    Value setup = ask(Value(TPageSetupDlg::classRecord().instantiate()), "Create");
    EXPECT_TRUE(ask(setup, "Run").asLogical());
    EXPECT_GT(ask(setup, "aPaperSize").asArray()->at1(1).asInteger(), 0);
}

#endif

}  // namespace
}  // namespace vorpex::testing
