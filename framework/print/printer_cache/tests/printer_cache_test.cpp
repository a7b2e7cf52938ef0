// The printer cache over a recorded printer: no printer at all, the index rules, device modes of a driver
// whose record is not the classic size, settings and their dmFields bits, the origin rule on every DC and
// page, unit conversions, and the capability lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "framework/print/printer_cache/printer_info_cache.h"
#include "framework/print/printer_cache/tests/recorded_printer.h"
#include "runtime/core/runtime.h"
#include "tests/support/function_call.h"

namespace vorpex::print {
namespace {

using rt::testing::call;

class PrinterCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        cache.end();
        registerPrinterFunctions();
    }
    void TearDown() override { cache.end(); }
    void twoPrinters() {
        printer.printers = {{"Office", "", "", "LPT1:", "Laser", 0}, {"Plotter", "\\\\srv", "plot", "USB1:", "Ink", 8}};
        // A driver whose public part is 220 bytes with 40 private bytes, and one without DM_COPIES.
        printer.records["Office"] = driverRecord(220, 40, dm::kOrientationBit | dm::kCopiesBit | dm::kCollateBit);
        printer.records["Plotter"] = driverRecord(148, 0, dm::kOrientationBit);
        ASSERT_TRUE(cache.init());
    }

    RecordedPrinter printer;
    PrinterInfoCache& cache = printerCache();
};

TEST_F(PrinterCacheTest, WithNoPrinterEveryAnswerIsEmpty) {
    EXPECT_FALSE(call("PRINTERINIT").asLogical());
    EXPECT_EQ(call("PRINTERCREATEDC").asInteger(), 0);
    EXPECT_EQ(call("PRINTERINDEX").asInteger(), 0) << "no current printer to report as 1";
    EXPECT_EQ(call("PRINTERINDEX", {1}).asInteger(), 0);
    EXPECT_EQ(call("PRINTERRESETDC", {0}).asInteger(), 0);
    EXPECT_FALSE(call("PRINTERSTARTPAGE", {0}).asLogical());
    EXPECT_TRUE(cache.names().empty());
    EXPECT_EQ(cache.defaultPrinter(), "");
    EXPECT_EQ(cache.status(), -1);
    EXPECT_EQ(cache.port(), "");
    EXPECT_EQ(cache.resolution(0), (Pair{0, 0}));
    EXPECT_EQ(cache.paperSize(0), (Pair{0, 0}));
    EXPECT_EQ(cache.setting(Setting::Copies, 3, 0), 0);
    EXPECT_TRUE(cache.fonts().empty());
    EXPECT_FALSE(cache.documentSetup(0));
    EXPECT_FALSE(cache.writeData("x", "doc"));
    EXPECT_TRUE(printer.liveDCs.empty());
}

TEST_F(PrinterCacheTest, IndexOutsideTheListLeavesTheCurrentPrinter) {
    twoPrinters();
    EXPECT_EQ(cache.names(), (std::vector<std::string>{"Office", "Plotter"}));
    struct Case {
        std::optional<int64_t> asked;
        int64_t answer;
    } cases[] = {{2, 2}, {0, 2}, {3, 2}, {-1, 2}, {std::nullopt, 2}, {1, 1}, {3, 1}};
    for (const Case& c : cases) EXPECT_EQ(cache.selectIndex(c.asked), c.answer);
    EXPECT_EQ(call("PRINTERINDEX", {"2"}).asInteger(), 1) << "a text is no index";
    cache.selectIndex(2);
    EXPECT_EQ(cache.status(), 8);
    EXPECT_EQ(cache.serverName(), "\\\\srv");
    EXPECT_EQ(cache.shareName(), "plot");
    EXPECT_EQ(cache.driverName(), "Ink");
    EXPECT_EQ(cache.port(), "USB1:");
}

TEST_F(PrinterCacheTest, DeviceModesAreCopiedAtTheDriversOwnSizeAndLoadedOnce) {
    twoPrinters();
    DevMode* mode = cache.currentMode();
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->size(), 260u) << "dmSize + dmDriverExtra, not 156 + dmDriverExtra";
    EXPECT_EQ(mode->data()[220], 0xA0) << "the private part starts after the driver's public part";
    EXPECT_EQ(mode->data()[259], 0xA0 + 39);
    cache.currentMode();
    EXPECT_EQ(printer.loads, 1);

    // A dialog's answer replaces the mode, again at its own size; a record claiming more than its block is refused.
    std::vector<uint8_t> answer = driverRecord(124, 8, dm::kOrientationBit);
    EXPECT_TRUE(cache.storeMode(answer.data(), answer.size()));
    EXPECT_EQ(cache.currentMode()->size(), 132u);
    EXPECT_FALSE(cache.storeMode(answer.data(), 100));
    std::vector<uint8_t> tiny = driverRecord(40, 0, 0);
    EXPECT_FALSE(DevMode::copyOf(tiny.data(), tiny.size())) << "too short to hold dmFields";
}

TEST_F(PrinterCacheTest, ADialogsAnswerGoesOnlyIntoTheSlotOfThePrinterItNames) {
    twoPrinters();
    const std::vector<uint8_t> plotterMode = driverRecord(148, 0, dm::kOrientationBit | dm::kCopiesBit);
    const std::vector<uint8_t> officeBefore(cache.currentMode()->data(), cache.currentMode()->data() + 260);

    EXPECT_TRUE(cache.choosePrinter("Plotter", plotterMode.data(), plotterMode.size()));
    EXPECT_EQ(cache.selectIndex(std::nullopt), 2);
    EXPECT_EQ(cache.currentMode()->size(), 148u);

    // A printer added since the list was read is found by reading it again.
    printer.printers.push_back({"Label", "", "", "USB2:", "Thermal", 0});
    EXPECT_TRUE(cache.choosePrinter("Label", plotterMode.data(), plotterMode.size()));
    EXPECT_EQ(cache.selectIndex(std::nullopt), 3);

    // A name nobody has changes nothing: the first printer keeps its own driver's mode.
    cache.selectIndex(1);
    EXPECT_FALSE(cache.choosePrinter("Office ", plotterMode.data(), plotterMode.size())) << "names match exactly";
    EXPECT_EQ(cache.selectIndex(std::nullopt), 1);
    ASSERT_EQ(cache.currentMode()->size(), 260u);
    EXPECT_TRUE(std::equal(officeBefore.begin(), officeBefore.end(), cache.currentMode()->data()));
}

TEST_F(PrinterCacheTest, SettingsWriteTheirFieldsAndBitsOnlyWhereTheDriverAllows) {
    twoPrinters();
    EXPECT_EQ(cache.setting(Setting::Copies, 3, 0), 3);
    EXPECT_TRUE(cache.currentMode()->fields() & dm::kCopiesBit);
    EXPECT_TRUE(cache.setting(Setting::Collate, 1, 0));
    EXPECT_EQ(cache.setting(Setting::Duplex, 2, 0), 0) << "the driver does not list DM_DUPLEX";
    EXPECT_FALSE(cache.currentMode()->fields() & dm::kDuplexBit);

    cache.setting(Setting::PaperLength, 2970, 0);
    const DevMode& m = *cache.currentMode();
    EXPECT_EQ(m.readShort(dm::kPaperSize), dm::kUserPaper);
    EXPECT_EQ(m.readShort(dm::kPaperLength), 2970);
    EXPECT_EQ(m.fields() & (dm::kPaperSizeBit | dm::kPaperLengthBit), dm::kPaperSizeBit | dm::kPaperLengthBit);
    // The answer is the sheet's physical length on a DC: 7016 px at 600 dpi.
    EXPECT_EQ(cache.setting(Setting::PaperLength, std::nullopt, 0), 2970);
    EXPECT_EQ(cache.setting(Setting::Orientation, 2, 0), 2);

    cache.selectIndex(2);
    EXPECT_EQ(cache.setting(Setting::Copies, 3, 0), 0) << "Copies(3) without DM_COPIES";
    EXPECT_EQ(cache.currentMode()->readShort(dm::kCopies), 1) << "and nothing written";
    // The new copies count reaches the next DC of the first printer.
    cache.selectIndex(1);
    cache.deleteDC(cache.createDC());
    EXPECT_EQ(printer.events.back(), "create copies=3");
}

TEST_F(PrinterCacheTest, EveryDCAndEveryPageStartsAtThePhysicalCorner) {
    twoPrinters();
    const intptr_t dc = call("PRINTERCREATEDC").asInteger();
    ASSERT_NE(dc, 0);
    EXPECT_EQ(printer.origins[dc], (std::pair<int64_t, int64_t>{-100, -118}));
    EXPECT_TRUE(call("PRINTERSTARTDOC", {static_cast<int64_t>(dc), "Report"}).asLogical());
    EXPECT_EQ(printer.events.back(), "doc Report");
    EXPECT_TRUE(call("PRINTERSTARTPAGE", {static_cast<int64_t>(dc)}).asLogical());
    EXPECT_EQ(printer.origins[dc], (std::pair<int64_t, int64_t>{-100, -118}));
    EXPECT_EQ(call("PRINTERRESETDC", {static_cast<int64_t>(dc)}).asInteger(), dc);
    EXPECT_EQ(printer.origins[dc], (std::pair<int64_t, int64_t>{-100, -118}));

    EXPECT_TRUE(call("PRINTERENDDOC", {static_cast<int64_t>(dc), true}).asLogical());
    EXPECT_TRUE(printer.deleted.empty()) << "kept when asked to";
    EXPECT_TRUE(call("PRINTERENDDOC", {static_cast<int64_t>(dc)}).asLogical());
    EXPECT_EQ(printer.deleted, (std::vector<intptr_t>{dc}));
}

TEST_F(PrinterCacheTest, MeasuresInTenthsOfAMillimetreWithADCMadeForTheCall) {
    twoPrinters();
    EXPECT_EQ(cache.paperRes(0), (Pair{4760, 6779}));
    EXPECT_EQ(cache.paperSize(0), (Pair{2010, 2870}));
    EXPECT_EQ(cache.paperPhysicalSize(0), (Pair{2099, 2970}));
    EXPECT_EQ(cache.physicalOffset(0), (Pair{42, 49}));
    EXPECT_EQ(cache.resolution(0), (Pair{600, 600})) << "no print quality in the mode: the DC's dots per inch";
    cache.currentMode()->writeShort(dm::kPrintQuality, 300);
    cache.currentMode()->writeShort(dm::kYResolution, 300);
    EXPECT_EQ(cache.resolution(0), (Pair{300, 300}));
    EXPECT_TRUE(printer.liveDCs.empty()) << "every DC made for a measurement is deleted";

    struct Case {
        int64_t pixels, dpi, tenths;
    } cases[] = {{600, 600, 254}, {4960, 600, 2099}, {1, 0, 0}, {96, 96, 254}, {100, 300, 84}};
    for (const Case& c : cases) EXPECT_EQ(tenthsOfMm(c.pixels, c.dpi), c.tenths);
}

TEST_F(PrinterCacheTest, AVanishedPrinterReloadsTheListAndGivesNoDC) {
    twoPrinters();
    printer.records.erase("Office");
    EXPECT_EQ(cache.createDC(), 0);
    EXPECT_TRUE(cache.loaded()) << "the list was read again";
}

TEST_F(PrinterCacheTest, CapabilityListsHaveAsManyEntriesAsTheDriverCounts) {
    twoPrinters();
    std::vector<uint8_t> names(3 * 64, 0);
    std::memcpy(names.data(), "A4", 2);
    std::memset(names.data() + 64, 'L', 64);  // a full field: no terminator
    std::memcpy(names.data() + 128, "Legal", 5);
    printer.answers[Capability::PaperNames] = {3, names};
    std::vector<uint8_t> papers = {9, 0, 1, 0, 5, 0};
    printer.answers[Capability::Papers] = {3, papers};
    std::vector<uint8_t> sizes(8);
    const int32_t a4[2] = {2100, 2970};
    std::memcpy(sizes.data(), a4, 8);
    printer.answers[Capability::PaperSize] = {1, sizes};
    std::vector<uint8_t> bins(24, 'B');
    printer.answers[Capability::BinNames] = {1, bins};
    printer.answers[Capability::Duplex] = {1, {}};

    const auto paperNames = cache.paperNames("Office", "LPT1:");
    ASSERT_EQ(static_cast<int64_t>(paperNames.size()), cache.countPapers("Office", "LPT1:"));
    EXPECT_EQ(paperNames[0], "A4");
    EXPECT_EQ(paperNames[1], std::string(64, 'L'));
    EXPECT_EQ(paperNames[2], "Legal");
    EXPECT_EQ(cache.paperTypes("Office", "LPT1:"), (std::vector<int64_t>{9, 1, 5}));
    EXPECT_EQ(cache.paperSizes("Office", "LPT1:"), (std::vector<Pair>{{2100, 2970}}));
    EXPECT_EQ(cache.binNames("Office", "LPT1:"), (std::vector<std::string>{std::string(24, 'B')}));
    EXPECT_TRUE(cache.isDuplex("Office", "LPT1:"));
    EXPECT_TRUE(cache.resolutions("Office", "LPT1:").empty());
    EXPECT_EQ(cache.countBins("Office", "LPT1:"), 0);
}

TEST_F(PrinterCacheTest, FontsDialogAndRawJobs) {
    twoPrinters();
    printer.fontList = {{"Courier", 3}, {"Arial", 4}, {"Line Printer", 3}, {"Courier", 3}, {"Small", 1}};
    EXPECT_EQ(cache.fonts(), (std::vector<std::string>{"Courier", "Line Printer", "Courier"}));
    EXPECT_TRUE(printer.liveDCs.empty());

    EXPECT_TRUE(cache.documentSetup(0));
    EXPECT_EQ(cache.setting(Setting::Orientation, std::nullopt, 0), 2);
    EXPECT_TRUE(cache.writeData("\x1b" "E", "raw job"));
    EXPECT_EQ(printer.events.back(), "raw Office raw job 2");
}

}  // namespace
}  // namespace vorpex::print
