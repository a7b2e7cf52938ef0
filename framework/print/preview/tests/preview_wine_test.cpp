// The print preview on a real form under Wine: a three-page document drawn with the canvas into the preview
// device (no printer needed) shown by the printer's preview control, paged with the buttons' rules and the
// page keys, zoomed through the box, the keypad and fit modes, one page's pixels read back through
// WM_PRINTCLIENT, the export buttons present but disabled without their library, the pages made into a PDF
// and mailed through the IMAGE2PDF.DLL and MAPI32.DLL stand-ins beside the program, and printing refused
// without leaving the program busy. With a printer installed (run_with_cups.sh) the preview prints its pages.
// When VORPEX_PDF_OUT names a file, the PDF made through the save dialog is copied there for
// tests/support/pdf_export_check.sh.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/masked_edit/mask_edit.h"
#include "framework/dialogs/dialog_answerer.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/mail/mail_port.h"
#include "framework/core/form/tests/form_fixture.h"
#include "framework/graphics/graphics.h"
#include "framework/print/image_pdf/image_pdf.h"
#include "framework/print/image_pdf/image_pdf_port.h"
#include "framework/print/preview/preview_control.h"
#include "framework/print/printer/printer.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"
#include "tests/support/temp_folder.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), args);
}

Value rect(int64_t l, int64_t t, int64_t r, int64_t b) {
    return Value::array({Value(l), Value(t), Value(r), Value(b)});
}

bool printerExpected() { return std::getenv("VORPEX_EXPECT_PRINTER") != nullptr; }

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

class PreviewWineTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        registerGraphics();
        print::registerPrinterFunctions();
        registerPrinterClasses();
        registerStandardControls();
        registerDialogServices();
        registerImagePdf();
        printer = ask(Value(TPrinter::classRecord().instantiate()), "Initialize");
        exportInfo = ask(printer, "oExportInfo");
    }
    void TearDown() override {
        ask(exportInfo, "_lImgPDFButton", {false});
        ask(exportInfo, "_lMailButton", {false});
        closeAll();
        ask(printer, "Destroy");
        rt::publicVar("Printer") = Value();
        FormTest::TearDown();
    }

    // Pages in mm: page 1 a blue top-left quarter, page 2 a red one, page 3 a text; `texts` for a printer.
    void recordDocument(const std::vector<std::string>& texts = {}, int pages = 3) {
        ask(printer, "_lPreview", {true});
        ASSERT_TRUE(ask(printer, "StartDoc", {"Informe"}).asLogical());
        const Value canvas = ask(printer, "oCanvas");
        ask(canvas, "_nMapMode", {1});
        if (!texts.empty()) ask(canvas, "_oFont", {ask((*rt::findFunction("TFONT"))({}), "Create", {"Courier", 14})});
        for (int page = 1; page <= pages; ++page) {
            ASSERT_TRUE(ask(printer, "StartPage").asLogical()) << page;
            if (page < 3) ask(canvas, "FillRect", {rect(0, 0, 1050, 1485), page == 1 ? kBlue : kRed});
            if (!texts.empty()) ask(canvas, "TextOut", {200, 300, texts[page - 1]});
            ASSERT_TRUE(ask(printer, "EndPage").asLogical()) << page;
        }
        ASSERT_TRUE(ask(printer, "EndDoc").asLogical());
    }

    Value openPreview() {
        form = plainForm();
        return ask(printer, "PreviewControl", {form});
    }

    static bool enabled(const Value& control, int button) {
        return ask(ask(ask(control, "oToolBar"), "aItems").asArray()->items[button - 1], "lEnabled").asLogical();
    }
    static std::vector<bool> navigation(const Value& control) {
        return {enabled(control, 2), enabled(control, 3), enabled(control, 4), enabled(control, 5)};
    }
    static void key(const Value& page, WPARAM vk) { SendMessageA(hwndOf(page), WM_KEYDOWN, vk, 0); }

    Value printer, exportInfo, form;
};

TEST_F(PreviewWineTest, ThePagesAreShownOneAtATimeAndTheButtonsFollowThePage) {
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    auto preview = rt::objectAs<XPreviewControl>(control);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->pageCount(), 3);
    EXPECT_EQ(ask(control, "nPage").asInteger(), 1);
    EXPECT_EQ(ask(ask(control, "oRebarBand"), "cText").asString(), "Page 1 of 3");
    EXPECT_EQ(navigation(control), (std::vector<bool>{false, false, true, true}));

    const Value page = ask(control, "oPreviewPage");
    key(page, VK_NEXT);
    EXPECT_EQ(ask(control, "nPage").asInteger(), 2);
    EXPECT_EQ(navigation(control), (std::vector<bool>{true, true, true, true}));
    SendMessageA(hwndOf(page), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(ask(control, "nPage").asInteger(), 3);
    EXPECT_EQ(ask(ask(control, "oRebarBand"), "cText").asString(), "Page 3 of 3");
    EXPECT_EQ(navigation(control), (std::vector<bool>{true, true, false, false}));
    key(page, VK_NEXT);
    EXPECT_EQ(ask(control, "nPage").asInteger(), 3) << "no page after the last";
    ask(control, "SetPage", {4});
    EXPECT_EQ(ask(control, "nPage").asInteger(), 3);
    key(page, VK_HOME);
    EXPECT_EQ(ask(control, "nPage").asInteger(), 1);
    key(page, VK_PRIOR);
    EXPECT_EQ(ask(control, "nPage").asInteger(), 1) << "no page before the first";
    EXPECT_TRUE(ask(page, "oEmf").sameAs(ask(ask(printer, "oPreviewDC"), "aEmf").asArray()->items[0]));
}

TEST_F(PreviewWineTest, TheZoomBoxTheKeypadAndTheFitModesZoomThePage) {
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    const Value page = ask(control, "oPreviewPage");
    const Value combo = ask(control, "oCombo");
    EXPECT_EQ(ask(combo, "aItems").asArray()->items.size(), 10u);
    EXPECT_EQ(ask(control, "nZoomIndex").asInteger(), 4) << "100 %";
    EXPECT_EQ(ask(page, "nZoomFactor").asInteger(), 100);

    ask(control, "_nZoomIndex", {2});
    EXPECT_EQ(ask(page, "nZoomFactor").asInteger(), 200);
    const int64_t width200 = ask(page, "nEmfWidth").asInteger();
    EXPECT_GT(width200, 0);
    key(page, VK_ADD);
    EXPECT_EQ(ask(control, "nZoomIndex").asInteger(), 1);
    EXPECT_EQ(ask(page, "nZoomFactor").asInteger(), 500);
    key(page, VK_ADD);
    EXPECT_EQ(ask(page, "nZoomFactor").asInteger(), 500) << "nothing beyond 500: the zoom stays";
    key(page, VK_SUBTRACT);
    EXPECT_EQ(ask(page, "nZoomFactor").asInteger(), 200);
    EXPECT_EQ(ask(page, "nEmfWidth").asInteger(), width200);

    ask(control, "_nZoomIndex", {10});
    EXPECT_EQ(ask(page, "nFitInPage").asInteger(), 1);
    RECT client{};
    GetClientRect(hwndOf(page), &client);
    EXPECT_LE(ask(page, "nEmfHeight").asInteger(), client.bottom - 60);
    EXPECT_LE(ask(page, "nEmfWidth").asInteger(), client.right - 60);
    const double fitted = ask(page, "nZoomFactor").asDouble();
    EXPECT_GT(fitted, 0);
    key(page, VK_ADD);
    EXPECT_EQ(ask(page, "nFitInPage").asInteger(), 0) << "a zoom leaves the fit mode";
    EXPECT_GT(ask(page, "nZoomFactor").asDouble(), fitted);

    ask(control, "_nZoomIndex", {8});
    EXPECT_EQ(ask(page, "nFitInPage").asInteger(), 2);
    GetClientRect(hwndOf(page), &client);  // the page is now taller than the view: a scroll bar took room
    EXPECT_EQ(ask(page, "nEmfWidth").asInteger(), client.right - 60) << "page width";
}

TEST_F(PreviewWineTest, APagePaintsItsDrawingOnAWhiteSheetOnThePane) {
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    const Value page = ask(control, "oPreviewPage");
    ask(control, "SetPage", {2});
    ask(control, "_nZoomIndex", {10});
    RECT client{};
    GetClientRect(hwndOf(page), &client);
    MemoryCanvas shot(client.right, client.bottom);
    ASSERT_TRUE(shot.ready());
    SendMessageA(hwndOf(page), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc()), PRF_CLIENT);
    const int left = static_cast<int>(ask(page, "nEmfLeft").asInteger());
    const int top = static_cast<int>(ask(page, "nEmfTop").asInteger());
    const int width = static_cast<int>(ask(page, "nEmfWidth").asInteger());
    const int height = static_cast<int>(ask(page, "nEmfHeight").asInteger());
    ASSERT_GT(width, 20);
    EXPECT_EQ(shot.at(left + width / 4, top + height / 4), kRed) << "page 2's red quarter";
    EXPECT_EQ(shot.at(left + 3 * width / 4, top + 3 * height / 4), kWhite) << "the sheet";
    EXPECT_EQ(shot.at(left / 2, top + height / 2), static_cast<COLORREF>(ask(page, "nClrPane").asInteger()))
        << "the pane beside the sheet";
}

TEST_F(PreviewWineTest, TheExportButtonsArePresentButDisabledWithoutTheirLibrary) {
    const std::string previous = setImagePdfLibrary("VORPEX_NO_SUCH_I2PDF.DLL");
    ask(exportInfo, "_lImgPDFButton", {true});
    ask(exportInfo, "_lMailButton", {true});
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    const auto& items = ask(ask(control, "oToolBar"), "aItems").asArray()->items;
    // separator, four pages, separator, PDF, mail, separator, print, exit
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(ask(items[6], "cTooltip").asString(), "Generate PDF file");
    EXPECT_EQ(ask(items[7], "cTooltip").asString(), "Send by Email");
    EXPECT_FALSE(ask(items[6], "lEnabled").asLogical());
    EXPECT_FALSE(ask(items[7], "lEnabled").asLogical());
    EXPECT_TRUE(ask(items[9], "lEnabled").asLogical());
    setImagePdfLibrary(previous);
}

std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// Answers the save dialog: `file` typed as the name and OK pressed, or cancelled when `file` is empty.
void answerSave(const std::string& file) {
    setDialogAnswerer([file](intptr_t window) {
        const HWND dialog = reinterpret_cast<HWND>(window);
        if (!file.empty()) SetDlgItemTextA(dialog, edt1, file.c_str());
        if (!file.empty()) SetDlgItemTextA(dialog, cmb13, file.c_str());
        PostMessageA(dialog, WM_COMMAND, file.empty() ? IDCANCEL : IDOK, 0);
    });
}

// The export through the stand-ins beside the program, logging into a folder of the test's own.
class PreviewExportTest : public PreviewWineTest {
protected:
    void SetUp() override {
        PreviewWineTest::SetUp();
        SetEnvironmentVariableA("VORPEX_I2PDF_LOG", folder.file("i2pdf.log").c_str());
        SetEnvironmentVariableA("VORPEX_MAPI_LOG", folder.file("mapi.log").c_str());
        ask(printer, "_cJobTitle", {"Informe"});
        ask(exportInfo, "_lImgPDFButton", {true});
        ask(exportInfo, "_lMailButton", {true});
        recordDocument({}, 2);
        control = openPreview();
    }
    void TearDown() override {
        setDialogAnswerer({});
        SetEnvironmentVariableA("VORPEX_I2PDF_LOG", nullptr);
        SetEnvironmentVariableA("VORPEX_MAPI_LOG", nullptr);
        PreviewWineTest::TearDown();
    }
    rt::testing::TempFolder folder;
    Value control;
};

TEST_F(PreviewExportTest, TheExportButtonsAreEnabledWithTheirLibrary) {
    ASSERT_TRUE(control.isObject());
    const auto& items = ask(ask(control, "oToolBar"), "aItems").asArray()->items;
    ASSERT_EQ(items.size(), 11u);
    EXPECT_TRUE(ask(items[6], "lEnabled").asLogical());
    EXPECT_TRUE(ask(items[7], "lEnabled").asLogical());
}

TEST_F(PreviewExportTest, GenPdfWritesThePagesToTheGivenOrChosenFile) {
    ASSERT_TRUE(control.isObject());
    const std::string given = folder.file("dado.pdf"), chosen = folder.file("elegido.pdf");
    const struct {
        const char* name;
        Value argument;
        std::string answer;  // the save dialog's; "" cancels it
        std::string file;    // the PDF expected, "" none
    } cases[] = {{"a file given", Value(given), "", given},
                 {"the save dialog", Value(), chosen, chosen},
                 {"the save dialog cancelled", Value(), "", ""}};
    for (const auto& c : cases) {
        answerSave(c.answer);
        const size_t before = contents(folder.file("i2pdf.log")).size();
        EXPECT_EQ(ask(control, "GenPDF", {c.argument}).asLogical(), !c.file.empty()) << c.name;
        const std::string log = contents(folder.file("i2pdf.log")).substr(before);
        if (c.file.empty()) {
            EXPECT_EQ(log, "") << c.name << ": no export without a file";
            continue;
        }
        EXPECT_EQ(contents(c.file).substr(0, 5), "%PDF-") << c.name;
        EXPECT_NE(log.find("I2PDF_SetTitle Informe\n"), std::string::npos) << c.name << log;
        EXPECT_NE(log.find("I2PDF_SetPermissions 12\n"), std::string::npos) << c.name << ": copy and print";
        EXPECT_NE(log.find("I2PDF_MakePDF " + c.file + " 2\n"), std::string::npos) << c.name << log;
    }
    EXPECT_TRUE(ask(control, "lEnabled").asLogical()) << "the preview is usable again";
    if (const char* out = std::getenv("VORPEX_PDF_OUT")) std::filesystem::copy_file(chosen, out);
}

TEST_F(PreviewExportTest, SendMailAttachesThePdfUnderTheJobsName) {
    ASSERT_TRUE(control.isObject());
    EXPECT_TRUE(ask(control, "SendMail").asLogical());
    const std::string log = contents(folder.file("mapi.log"));
    EXPECT_NE(log.find("MAPISendMail session="), std::string::npos) << log;
    EXPECT_NE(log.find("  file=Informe.pdf,"), std::string::npos) << log;

    const std::string previous = setMailLibrary("VORPEX_NO_SUCH_MAPI.DLL");
    EXPECT_FALSE(ask(control, "SendMail").asLogical()) << "no mail without MAPI";
    setMailLibrary(previous);
}

TEST_F(PreviewWineTest, APrintThatCannotRunEndsAndLeavesTheProgramNotBusy) {
    if (printerExpected()) GTEST_SKIP() << "a printer is installed";
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    for (const Value& request : {Value(4), Value(), Value(2)}) {
        EXPECT_FALSE(ask(control, "Print", {request}).asLogical());
        EXPECT_FALSE(ask(app(), "lBusy").asLogical());
    }
}

// Answers the range dialog: the two page edits get `from` and `to`, then the button with `button`'s text is
// pressed (posted, so the dialog's modal loop serves it).
void answerRange(int64_t from, int64_t to, const char* button) {
    setDialogAnswerer([from, to, button](intptr_t window) {
        std::vector<HWND> children;
        EnumChildWindows(reinterpret_cast<HWND>(window), [](HWND h, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&children));
        std::vector<int64_t> values{from, to};
        for (HWND h : children) {
            char text[32] = {};
            GetWindowTextA(h, text, sizeof text);
            const Value child = controlOfWindow(reinterpret_cast<intptr_t>(h));
            if (rt::objectAs<XMaskEdit>(child) && !values.empty()) {
                ask(child, "_Value", {values.front()});
                values.erase(values.begin());
            }
            if (std::string(text) == button) PostMessageA(h, BM_CLICK, 0, 0);
        }
    });
}

TEST_F(PreviewWineTest, TheRangeDialogAnswersTheChosenPagesOrNothing) {
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    answerRange(2, 3, "&Ok");
    const Value range = ask(control, "GetRange");
    ASSERT_TRUE(range.isArray());
    EXPECT_EQ(range.asArray()->items[0].asInteger(), 2);
    EXPECT_EQ(range.asArray()->items[1].asInteger(), 3);
    answerRange(2, 3, "&Cancel");
    EXPECT_TRUE(ask(control, "GetRange").isNil());
    answerRange(3, 2, "&Ok");
    EXPECT_FALSE(ask(control, "Print", {0}).asLogical()) << "a range that starts after its end prints nothing";
    EXPECT_FALSE(ask(app(), "lBusy").asLogical());
    setDialogAnswerer({});
}

TEST_F(PreviewWineTest, ClosingThePreviewFormLetsThePagesGo) {
    recordDocument();
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    const Value previewForm = ask(control, "GetForm");
    EXPECT_EQ(ask(previewForm, "cText").asString(), "Informe");
    ask(previewForm, "Close");
    pump();
    EXPECT_EQ(ask(ask(printer, "oPreviewDC"), "aEmf").asArray()->items.size(), 0u);
}

// Run by run_with_cups.sh against its PDF printer, which then checks the document: three pages, each with
// its text.
TEST_F(PreviewWineTest, AnInstalledPrinterPrintsThePreviewsPages) {
    if (!printerExpected()) GTEST_SKIP() << "no printer installed";
    recordDocument({"Vista uno", "Vista dos", "Vista tres"});
    const Value control = openPreview();
    ASSERT_TRUE(control.isObject());
    EXPECT_TRUE(ask(control, "Print").asLogical());
    EXPECT_FALSE(ask(app(), "lBusy").asLogical());
}

}  // namespace
}  // namespace vorpex::testing
