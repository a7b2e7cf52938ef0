// TImagePDF over a recording library port: what each wrapper answers with and without the library, and the
// export of pages: the library set up in order with the permissions asked for, a page that fails or a cancel
// making no PDF, the temporary page files erased and a file that was there before left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "framework/core/file_name/file_unique.h"
#include "framework/print/image_pdf/image_pdf.h"
#include "framework/print/image_pdf/image_pdf_port.h"
#include "framework/print/image_pdf/pdf_export.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

namespace vorpex {
namespace {

using rt::send;
using rt::Value;

struct RecordingPdfPort : ImagePdfPort {
    intptr_t library = 0x5000;
    std::map<std::string, int64_t> codes;  // an export's answer; missing: 0
    std::vector<std::string> missing;      // exports the library lacks
    std::vector<std::string> calls;
    std::vector<std::string> names;        // by function number - 1
    int finds = 0, unloads = 0;

    intptr_t load() override { return library; }
    void unload(intptr_t) override { ++unloads; }
    intptr_t find(intptr_t, const char* name) override {
        ++finds;
        if (std::find(missing.begin(), missing.end(), name) != missing.end()) return 0;
        names.push_back(name);
        return static_cast<intptr_t>(names.size());
    }
    int64_t record(intptr_t f, const std::string& argument) {
        const std::string& name = names[static_cast<size_t>(f) - 1];
        calls.push_back(argument.empty() ? name : name + " " + argument);
        return codes.count(name) ? codes[name] : 0;
    }
    int64_t callText(intptr_t f, const std::string& text) override { return record(f, text); }
    int64_t callNumber(intptr_t f, int64_t n) override { return record(f, std::to_string(n)); }
    void callNone(intptr_t f) override { record(f, ""); }
    int64_t callMakePdf(intptr_t f, const std::string& file, int64_t options, std::string& error) override {
        error = "disco lleno";
        return record(f, file + " " + std::to_string(options));
    }
};

PdfExportOptions titled(const char* title) {
    PdfExportOptions o;
    o.title = title;
    return o;
}

struct ImagePdfTest : ::testing::Test {
    void SetUp() override {
        registerImagePdf();
        setImagePdfPort(&port);
        previous = dialogs::setUniqueNameHost({[this] { return folder.path().string() + "/"; }, {}});
    }
    void TearDown() override {
        setImagePdfPort(nullptr);
        dialogs::setUniqueNameHost(previous);
    }
    Value pdf() { return send(Value(TImagePDF::classRecord().instantiate()), "Create"); }
    PdfPages pages(size_t n) {
        return {n, [this](size_t i, const std::string& file) {
                    written.push_back(file);
                    std::ofstream(file) << "page " << i;
                    return true;
                }};
    }
    size_t filesLeft() const {
        size_t n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder.path())) ++n;
        return n;
    }

    RecordingPdfPort port;
    rt::testing::TempFolder folder;
    dialogs::UniqueNameHost previous;
    std::vector<std::string> written;
};

TEST_F(ImagePdfTest, WrappersAnswerTheLibraryOrMinusOne) {
    port.codes["I2PDF_SetTitle"] = 7;
    port.missing = {"I2PDF_SetDPI"};
    Value p = pdf();
    EXPECT_EQ(send(p, "SetTitle", {"x"}).asInteger(), 7);
    EXPECT_EQ(send(p, "nLastError").asInteger(), 7) << "a text setter's non-zero code is kept";
    EXPECT_EQ(send(p, "SetDPI", {96}).asInteger(), -1) << "missing export";
    EXPECT_TRUE(send(p, "Reset").isNil());
    send(p, "AddImage", {"a.emf"});
    send(p, "AddImage", {"b.emf"});
    const int findsAfter = port.finds;
    send(p, "AddImage", {"c.emf"});
    EXPECT_EQ(port.finds, findsAfter) << "the image export is found once and kept";
    port.codes["I2PDF_MakePDF"] = 4;
    EXPECT_EQ(send(p, "MakePDF", {"out.pdf", 2}).asInteger(), 4);
    EXPECT_EQ(send(p, "cLastError").asString(), "disco lleno");
    send(p, "Destroy");
    send(p, "Destroy");
    EXPECT_EQ(port.unloads, 1);
    EXPECT_EQ(send(p, "AddImage", {"d.emf"}).asInteger(), -1) << "after Destroy";

    port.library = 0;
    Value none = pdf();
    EXPECT_EQ(send(none, "nLastError").asInteger(), -1);
    for (const char* m : {"AddImage", "MakePDF", "SetTitle", "SetPermissions"}) EXPECT_EQ(send(none, m, {"x"}).asInteger(), -1) << m;
    EXPECT_FALSE(rt::testing::call("ISIMAGEPDF").asLogical());
    port.library = 0x5000;
    EXPECT_TRUE(rt::testing::call("ISIMAGEPDF").asLogical());
}

TEST_F(ImagePdfTest, PermissionsOfTheExportOptions) {
    const struct {
        bool edit, copy, print;
        int64_t bits;
    } cases[] = {{false, false, true, 8}, {true, true, true, 13}, {false, true, true, 12}, {false, false, false, 0}};
    for (const auto& c : cases) EXPECT_EQ(pdfPermissions({"t", c.edit, c.copy, c.print, ""}), c.bits);
}

TEST_F(ImagePdfTest, AnExportSetsUpTheLibraryInOrderAndErasesItsPages) {
    const PdfExportResult r = exportPdf(pages(2), {"Informe", false, true, true, "clave"}, "out.pdf");
    EXPECT_TRUE(r.made);
    ASSERT_EQ(written.size(), 2u);
    const std::vector<std::string> expected = {"I2PDF_SetProducer Vorpex", "I2PDF_SetTitle Informe",
                                               "I2PDF_MetaToNativePDF", "I2PDF_MetaMargins", "I2PDF_SetDPI 96",
                                               "I2PDF_SetPermissions 12", "I2PDF_SetUserPassword clave",
                                               "I2PDF_AddImage " + written[0], "I2PDF_AddImage " + written[1],
                                               "I2PDF_MakePDF out.pdf 2"};
    EXPECT_EQ(port.calls, expected);
    EXPECT_NE(written[0], written[1]);
    EXPECT_EQ(written[0].substr(written[0].size() - 4), ".emf");
    EXPECT_EQ(filesLeft(), 0u) << "no page file is left";
}

TEST_F(ImagePdfTest, AFailedPageOrACancelMakesNoPdfAndLeavesOthersFiles) {
    const std::string theirs = folder.file("VP_1.emf");
    std::ofstream(theirs) << "another program's";
    struct Case {
        const char* name;
        int64_t addCode;
        bool cancel, failWrite;
    } cases[] = {{"the library refuses a page", 5, false, false},
                 {"the user cancels", 0, true, false},
                 {"a page cannot be written", 0, false, true}};
    for (const Case& c : cases) {
        port.calls.clear();
        port.codes["I2PDF_AddImage"] = c.addCode;
        PdfPages p = pages(3);
        if (c.failWrite) p.write = [](size_t i, const std::string& file) {
            std::ofstream(file) << "half";
            return i == 0;
        };
        const PdfExportResult r = exportPdf(p, titled("t"), "out.pdf", [&] { return c.cancel; });
        EXPECT_FALSE(r.made) << c.name;
        EXPECT_EQ(port.calls.back(), "I2PDF_Reset") << c.name;
        EXPECT_EQ(std::count_if(port.calls.begin(), port.calls.end(),
                                [](const std::string& s) { return s.rfind("I2PDF_MakePDF", 0) == 0; }), 0) << c.name;
        EXPECT_EQ(filesLeft(), 1u) << c.name << ": only the file that was there before";
        EXPECT_TRUE(std::filesystem::exists(theirs));
    }
}

TEST_F(ImagePdfTest, TheLibrarysErrorIsAnswered) {
    port.codes["I2PDF_MakePDF"] = 9;
    const PdfExportResult r = exportPdf(pages(1), titled("t"), "out.pdf");
    EXPECT_FALSE(r.made);
    EXPECT_EQ(r.error, 9);
    EXPECT_EQ(r.errorText, "disco lleno");
    port.library = 0;
    EXPECT_EQ(exportPdf(pages(1), titled("t"), "out.pdf").error, -1);
}

}  // namespace
}  // namespace vorpex
