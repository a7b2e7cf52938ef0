// The punch import on real clock files and tables in a scratch folder: what is stored (once, under the right
// badge, with the date turned round), what is not (blank lines, end marks, badges too wide for the key), a
// second import, the status the form shows, and a missing clock file answered ignore or quit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "apps/asistencias/punch_import.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/recording_handler.h"
#include "tests/support/settings_guard.h"
#include "tests/support/temp_folder.h"

namespace asistencias {
namespace {

using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;
using Punch = std::tuple<int64_t, std::string, std::string>;  // badge, yyyy/mm/dd, hh:mm:ss

// Records what the import shows.
class RecordingView : public ImportView {
public:
    void status(const std::string& text) override { statuses.push_back(text); }
    void progressMax(int64_t max) override { this->max = max; }
    void progress(int64_t value) override { last = value; }
    void breathe() override { ++breaths; }

    std::vector<std::string> statuses;
    int64_t max = -1, last = -1;
    int breaths = 0;
};

class PunchImportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        rt::registerLibraryFunctions();
        rt::rdd::registerTableFunctions();
        rt::ntx::registerOrderFunctions();
    }
    void TearDown() override { WorkAreas::instance().closeAll(); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder_.file(name), std::ios::binary) << text;
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(folder_.file(name)); }

    // The store's records in key order, read through the index the import left, which must hold one key per
    // record.
    std::vector<Punch> stored() {
        rt::rdd::UseOptions o;
        rt::rdd::AreaGuard keep;
        WorkAreas& areas = WorkAreas::instance();
        areas.select(5);
        EXPECT_TRUE(areas.use("Checadas.dbf", o));
        WorkArea& store = *areas.current();
        EXPECT_TRUE(rt::ntx::ordListAdd(store, "Checadas.ntx"));
        EXPECT_EQ(rt::ntx::ordKey(store, rt::Value()), "str(empleado,6)+fecha+hora");
        EXPECT_EQ(store.keyCount(), store.lastRec());
        std::vector<Punch> punches;
        for (store.goTop(); !store.eof(); store.skip(1))
            punches.emplace_back(store.fieldGet(1).asInteger(), store.fieldGet(2).asString(),
                                 store.fieldGet(3).asString());
        areas.close(5);
        return punches;
    }

    rt::testing::SettingsGuard settingsGuard_;
    rt::testing::TempFolder folder_{"vorpex_punch_import_"};
    rt::testing::CurrentFolder current_{folder_.path()};
};

const char* const kWarehouse =
    "17,25/03/2010 08:15:00\r\n"
    "999,25/03/2010 08:20:00\r\n"     // the spare badge: employee 195
    "17,25/03/2010 08:15:01\r\n"      // one second later: a punch of its own
    "\r\n"                            // a blank line
    "5,01/04/2010 18:00:00\r\n"
    "\x1A";                           // the clock's end mark
const char* const kOffices =
    "17,25/03/2010 08:15:00\r\n"      // the same punch on the other clock
    "195,25/03/2010 08:20:00\r\n"     // the spare badge's punch under the owner's own badge
    "1234567,25/03/2010 09:00:00\r\n" // too wide for the key
    "5,31/03/2010 07:59:59\r\n";

const std::vector<Punch> kStored = {{5, "2010/03/31", "07:59:59"},
                                    {5, "2010/04/01", "18:00:00"},
                                    {17, "2010/03/25", "08:15:00"},
                                    {17, "2010/03/25", "08:15:01"},
                                    {195, "2010/03/25", "08:20:00"}};

TEST_F(PunchImportTest, StoresEachPunchOnceUnderItsBadgeAndAgainAddsNothing) {
    write("almacen.csv", kWarehouse);
    write("oficinas.csv", kOffices);
    rt::testing::RecordingHandler errors;
    RecordingView view;
    const ImportResult first = importPunches(view);
    EXPECT_TRUE(first.finished);
    EXPECT_EQ(first.added, 5);
    EXPECT_EQ(first.refused, 1);
    EXPECT_TRUE(errors.seen.empty());
    EXPECT_EQ(WorkAreas::instance().currentNumber(), 3);
    EXPECT_EQ(WorkAreas::instance().area(3), nullptr);
    EXPECT_EQ(stored(), kStored);
    EXPECT_FALSE(exists("depaso.dbf"));
    EXPECT_TRUE(exists("Checadas.ntx"));

    const ImportResult again = importPunches(view);
    EXPECT_TRUE(again.finished);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(stored(), kStored);
}

TEST_F(PunchImportTest, ShowsItsStepsAndCountsTheScratchRecords) {
    write("almacen.csv", kWarehouse);
    write("oficinas.csv", kOffices);
    RecordingView view;
    const ImportResult result = importPunches(view);
    EXPECT_EQ(view.statuses, (std::vector<std::string>{kStatusExtracting, kStatusImporting}));
    EXPECT_EQ(view.max, 8);  // every line but the blank one and the end mark
    EXPECT_EQ(view.last, 8);
    EXPECT_GE(view.breaths, 1);
    EXPECT_EQ(closingStatus(result), std::string(kStatusDone) + " 1 l\xEDneas rechazadas: gafete de m\xE1s de 6 d\xEDgitos.");
    EXPECT_EQ(closingStatus(ImportResult{true, 3, 0}), kStatusDone);
    const rt::Settings& s = rt::settings();
    EXPECT_EQ(s.dateFormat, "yyyy/mm/dd");
    EXPECT_TRUE(s.century);
    EXPECT_FALSE(s.exclusive);
    EXPECT_TRUE(s.deleted);
}

TEST_F(PunchImportTest, AMissingClockFileIgnoredLeavesTheOtherFilesPunches) {
    write("almacen.csv", kWarehouse);
    rt::testing::RecordingHandler errors(rt::ErrorAction::Default);
    RecordingView view;
    const ImportResult result = importPunches(view);
    ASSERT_EQ(errors.seen.size(), 1u);
    EXPECT_NE(errors.seen[0].filename.find("oficinas.csv"), std::string::npos);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(stored(), (std::vector<Punch>{{5, "2010/04/01", "18:00:00"},
                                            {17, "2010/03/25", "08:15:00"},
                                            {17, "2010/03/25", "08:15:01"},
                                            {195, "2010/03/25", "08:20:00"}}));
}

TEST_F(PunchImportTest, AQuitClosesTheAreasAndErasesTheScratchTable) {
    write("almacen.csv", kWarehouse);
    rt::testing::RecordingHandler errors(rt::ErrorAction::Break);
    RecordingView view;
    EXPECT_THROW(importPunches(view), rt::Break);
    EXPECT_EQ(WorkAreas::instance().area(2), nullptr);
    EXPECT_EQ(WorkAreas::instance().area(3), nullptr);
    EXPECT_FALSE(exists("depaso.dbf"));
    EXPECT_TRUE(exists("Checadas.dbf"));
}

TEST_F(PunchImportTest, AStoreThatCannotOpenAllowsOnlyQuitting) {
    write("almacen.csv", kWarehouse);
    write("oficinas.csv", kOffices);
    write("Checadas.dbf", "not a table");
    rt::testing::RecordingHandler errors(rt::ErrorAction::Default);
    RecordingView view;
    EXPECT_THROW(importPunches(view), rt::Break);
    ASSERT_EQ(errors.seen.size(), 2u);
    EXPECT_EQ(errors.seen[1].genCode, rt::eg::NoTable);
    EXPECT_FALSE(errors.seen[1].canDefault);
    EXPECT_FALSE(errors.seen[1].canRetry);
    EXPECT_FALSE(exists("depaso.dbf"));
}

}  // namespace
}  // namespace asistencias
