// The PDF export through the IMAGE2PDF.DLL stand-in beside the test program: two recorded pages made into a PDF
// (the library's calls in order, no page file left behind), a missing library, and the PDF mailed through the
// MAPI32.DLL stand-in with the job's name on the attachment and the temporary PDF erased afterwards. When
// VORPEX_PDF_OUT names a file, the PDF is also copied there for tests/support/pdf_export_check.sh to read with
// the PDF tools.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/file_name/file_unique.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/mail/mail_port.h"
#include "framework/print/image_pdf/image_pdf.h"
#include "framework/print/image_pdf/image_pdf_port.h"
#include "framework/print/image_pdf/pdf_export.h"
#include "framework/print/image_pdf/pdf_mail.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

namespace vorpex {
namespace {

std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// A page of 100 x 60 mm with a black block (the text block) in its upper left quarter on page 1 and its lower
// right quarter on page 2, and a line of text.
HENHMETAFILE recordPage(int number) {
    const RECT frame{0, 0, 10000, 6000};
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, "Vorpex\0page\0");
    const int w = MulDiv(GetDeviceCaps(dc, HORZRES), 10000, GetDeviceCaps(dc, HORZSIZE) * 100);
    const int h = MulDiv(GetDeviceCaps(dc, VERTRES), 6000, GetDeviceCaps(dc, VERTSIZE) * 100);
    const RECT block = number == 1 ? RECT{w / 10, h / 10, w * 4 / 10, h * 4 / 10}
                                   : RECT{w * 6 / 10, h * 6 / 10, w * 9 / 10, h * 9 / 10};
    FillRect(dc, &block, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    TextOutA(dc, w / 10, h / 2, "Informe de prueba", 17);
    return CloseEnhMetaFile(dc);
}

struct WinImagePdfTest : ::testing::Test {
    void SetUp() override {
        registerDialogServices();
        registerImagePdf();
        SetEnvironmentVariableA("VORPEX_I2PDF_LOG", folder.file("i2pdf.log").c_str());
        SetEnvironmentVariableA("VORPEX_MAPI_LOG", folder.file("mapi.log").c_str());
        previous = dialogs::setUniqueNameHost({[this] { return temp.path().string() + "\\"; }, {}});
        for (int i = 1; i <= 2; ++i) metafiles.push_back(recordPage(i));
    }
    void TearDown() override {
        for (HENHMETAFILE m : metafiles) DeleteEnhMetaFile(m);
        dialogs::setUniqueNameHost(previous);
        SetEnvironmentVariableA("VORPEX_I2PDF_LOG", nullptr);
        SetEnvironmentVariableA("VORPEX_MAPI_LOG", nullptr);
    }
    PdfPages pages() {
        return {metafiles.size(), [this](size_t i, const std::string& file) {
                    return writeMetafileFile(reinterpret_cast<intptr_t>(metafiles[i]), file);
                }};
    }
    bool tempIsEmpty() const { return std::filesystem::is_empty(temp.path()); }

    rt::testing::TempFolder folder, temp{"vorpex_pdf_temp_"};
    dialogs::UniqueNameHost previous;
    std::vector<HENHMETAFILE> metafiles;
    PdfExportOptions options{"Informe", false, true, true, ""};
};

TEST_F(WinImagePdfTest, TwoPagesBecomeAPdf) {
    ASSERT_TRUE(rt::testing::call("ISIMAGEPDF").asLogical()) << "IMAGE2PDF.DLL beside the program";
    const std::string out = folder.file("informe.pdf");
    const PdfExportResult r = exportPdf(pages(), options, out);
    ASSERT_TRUE(r.made) << r.error << " " << r.errorText;
    const std::string pdf = contents(out);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_TRUE(tempIsEmpty()) << "no page file is left";
    const std::string log = contents(folder.file("i2pdf.log"));
    EXPECT_EQ(log.substr(0, log.find("I2PDF_AddImage")),
              "I2PDF_SetProducer Vorpex\nI2PDF_SetTitle Informe\nI2PDF_MetaToNativePDF\nI2PDF_MetaMargins\n"
              "I2PDF_SetDPI 96\nI2PDF_SetPermissions 12\n");
    EXPECT_NE(log.find("I2PDF_MakePDF " + out + " 2\n"), std::string::npos);
    if (const char* copy = std::getenv("VORPEX_PDF_OUT")) {
        std::string windowsPath = std::string("Z:") + copy;
        std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
        EXPECT_TRUE(CopyFileA(out.c_str(), windowsPath.c_str(), FALSE));
    }
}

TEST_F(WinImagePdfTest, WithoutTheLibraryNothingIsMade) {
    const std::string previousLibrary = setImagePdfLibrary("VORPEX_NO_SUCH_PDF.DLL");
    EXPECT_FALSE(rt::testing::call("ISIMAGEPDF").asLogical());
    const std::string out = folder.file("nada.pdf");
    EXPECT_FALSE(exportPdf(pages(), options, out).made);
    EXPECT_FALSE(std::filesystem::exists(out));
    std::vector<std::string> alerts;
    EXPECT_FALSE(mailPdf(pages(), options, [&](const std::string& a) { alerts.push_back(a); }));
    EXPECT_TRUE(alerts.empty()) << "no PDF, no mail";
    setImagePdfLibrary(previousLibrary);
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(WinImagePdfTest, ThePdfIsMailedUnderTheJobsName) {
    std::vector<std::string> alerts;
    EXPECT_TRUE(mailPdf(pages(), options, [&](const std::string& a) { alerts.push_back(a); }));
    EXPECT_TRUE(alerts.empty());
    const std::string log = contents(folder.file("mapi.log"));
    const std::string attached = "  file=Informe.pdf," + temp.path().string() + "\\VP_1.pdf,-1,";
    EXPECT_NE(log.find("MAPISendMail session="), std::string::npos) << log;
    EXPECT_NE(log.find(" flags=8\n"), std::string::npos) << "the send dialog asked for";
    const size_t at = log.find(attached);
    ASSERT_NE(at, std::string::npos) << log;
    EXPECT_EQ(log.substr(log.find('\n', at) - 5, 5), "%PDF-") << "the PDF was there while the mail was sent";
    EXPECT_TRUE(tempIsEmpty()) << "the temporary PDF is erased";

    const std::string previousMail = setMailLibrary("VORPEX_NO_SUCH_MAPI.DLL");
    EXPECT_FALSE(mailPdf(pages(), options, [&](const std::string& a) { alerts.push_back(a); }));
    setMailLibrary(previousMail);
    EXPECT_EQ(alerts, std::vector<std::string>{"MAPI error"});
    EXPECT_TRUE(tempIsEmpty());
}

}  // namespace
}  // namespace vorpex
