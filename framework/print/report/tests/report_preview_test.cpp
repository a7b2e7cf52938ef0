// The report on the printer object with no printer installed: a preview records its pages as metafiles
// against the screen (each page holds its header and its rows), and a printed job, which the spooler cannot
// start, fails without drawing anything.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/graphics.h"
#include "framework/print/printer/printer.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "framework/print/report/report.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/library.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
}

Value block(std::function<Value(rt::Args)> fn) { return Value(rt::makeBlock(std::move(fn))); }

int CALLBACK collectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& texts = *reinterpret_cast<std::vector<std::string>*>(data);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* wide = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + r->emrtext.offString);
        const int n = static_cast<int>(r->emrtext.nChars);
        std::string ansi(static_cast<size_t>(n) * 2, '\0');
        ansi.resize(static_cast<size_t>(WideCharToMultiByte(1252, 0, wide, n, ansi.data(), n * 2, nullptr, nullptr)));
        texts.push_back(ansi);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        texts.emplace_back(reinterpret_cast<const char*>(r) + r->emrtext.offString, r->emrtext.nChars);
    }
    return 1;
}

std::vector<std::string> textsOf(const Value& page) {
    std::vector<std::string> texts;
    const auto emf = reinterpret_cast<HENHMETAFILE>(static_cast<intptr_t>(ask(page, "Handle").asInteger()));
    EnumEnhMetaFile(nullptr, emf, collectText, &texts, nullptr);
    return texts;
}

bool holds(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}

class ReportPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("VORPEX_EXPECT_PRINTER")) GTEST_SKIP() << "a printer is installed";
        rt::registerLibraryFunctions();
        registerGraphics();
        print::registerPrinterFunctions();
        registerPrinterClasses();
        registerReportClasses();
        printer = ask(Value(TPrinter::classRecord().instantiate()), "Initialize");
        report = ask(Value(TReport::classRecord().instantiate()), "Create");
        ask(report, "_bWhile", {block([this](rt::Args) { return Value(row <= kRows); })});
        ask(report, "_bSkip", {block([this](rt::Args a) {
                row += rt::arg(a, 0).asInteger();
                return Value();
            })});
        ask(ask(report, "oHeader"), "_aLine", {Value::array({block([](rt::Args a) {
                return Value("Informe de prueba||P\xe1gina " + std::to_string(ask(rt::arg(a, 0), "nPage").asInteger()));
            })})});
        const Value column = ask(report, "AddColumn");
        ask(column, "_aTitle", {Value::array({Value(rt::makeBlock([](rt::Args) { return Value("Fila"); }))})});
        ask(column, "_aData", {Value::array({block([this](rt::Args) { return Value("Fila " + std::to_string(row)); })})});
        ask(column, "_nCharSize", {20});
    }
    void TearDown() override {
        if (printer.isObject()) ask(printer, "Destroy");
        rt::publicVar("Printer") = Value();
    }

    static constexpr int64_t kRows = 120;
    Value printer, report;
    int64_t row = 1;
};

TEST_F(ReportPreviewTest, APreviewWithoutAPrinterRecordsEveryPageWithItsHeaderAndRows) {
    ask(report, "_lPreview", {true});
    ASSERT_TRUE(ask(report, "Run").asLogical());
    const Value device = ask(printer, "oPreviewDC");
    ASSERT_TRUE(device.isObject());
    const auto& pages = ask(device, "aEmf").asArray()->items;
    ASSERT_GE(pages.size(), 2u) << kRows << " rows do not fit an A4 sheet";
    EXPECT_EQ(static_cast<int64_t>(pages.size()), ask(report, "nGenPage").asInteger());
    int64_t rowsSeen = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::vector<std::string> texts = textsOf(pages[i]);
        EXPECT_TRUE(holds(texts, "Informe de prueba")) << "page " << i + 1;
        EXPECT_TRUE(holds(texts, "P\xe1gina " + std::to_string(i + 1))) << "page " << i + 1;
        EXPECT_TRUE(holds(texts, "Fila")) << "the column's title on page " << i + 1;
        for (const std::string& t : texts) rowsSeen += t.rfind("Fila ", 0) == 0;
    }
    EXPECT_EQ(rowsSeen, kRows) << "every row on some page, once";
    EXPECT_FALSE(ask(printer, "IsPrinting").asLogical()) << "the job is ended";
    ask(device, "Destroy");
}

TEST_F(ReportPreviewTest, APrintedJobTheSpoolerCannotStartFailsAndDrawsNothing) {
    ASSERT_FALSE(ask(report, "Run").asLogical());
    EXPECT_EQ(row, 1) << "no record was walked";
    EXPECT_FALSE(ask(printer, "IsPrinting").asLogical());
    EXPECT_EQ(ask(printer, "hDC").asInteger(), 0);
}

}  // namespace
}  // namespace vorpex::testing
