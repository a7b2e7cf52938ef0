// The attendance table on real tables in a scratch folder: weekday rows per active employee over ranges that
// cross a leap day, a month end and the new year; punches placed in their shift bands under remapped badges,
// with rows of their own for discharged employees, strangers and weekends; extra hours; and the dialog's dates.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "apps/asistencias/attendance.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/recording_handler.h"
#include "tests/support/settings_guard.h"
#include "tests/support/temp_folder.h"

namespace asistencias {
namespace {

using rt::Value;
using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

TEST(ExtraHours, WholeHoursBeforeTheEntryAndAfterTheExit) {
    const std::pair<const char*, int> cases[] = {
        {"07:45:10", 1}, {"07:00:00", 2}, {"08:30:00", 0}, {"08:59:59", 0}, {"20:45:00", 1}, {"19:59:00", 0},
        {"19:00:00", 0}, {"23:30:00", 4}, {"00:00:00", 8}, {"", 0},         {"        ", 0}, {"12:00:00", 0}};
    for (auto [time, hours] : cases) EXPECT_EQ(extraHours(time), hours) << '"' << time << '"';
}

TEST(DateRange, BothDatesMustBeDatesAndAReversedRangeIsExchanged) {
    const DateRange r = dateRange("2010/03/08", "2010/03/05");
    EXPECT_EQ(r.start, "2010/03/05");
    EXPECT_EQ(r.end, "2010/03/08");
    EXPECT_TRUE(r.problem.empty());
    for (auto [start, end] : {std::pair{"", "2010/03/05"}, std::pair{"2010/02/30", "2010/03/05"},
                              std::pair{"2010/03/01", "hola"}, std::pair{"2010-03-01", "2010-03-02"},
                              std::pair{"2010/03/01", "9999/99/99"}})
        EXPECT_FALSE(dateRange(start, end).problem.empty()) << start << " " << end;
}

// badge, name, date, morning entry and exit, afternoon entry and exit, extra hours
using Row = std::tuple<int64_t, std::string, std::string, std::string, std::string, std::string, std::string, int64_t>;

class AttendanceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        rt::registerLibraryFunctions();
        rt::rdd::registerTableFunctions();
        rt::ntx::registerOrderFunctions();
    }
    void SetUp() override {
        rt::settings().deleted = true;
        rt::rdd::Table::create("empleado.dbf", {{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"BAJA", 'C', 1, 0}},
                               {});
        WorkArea& e = open(1, "empleado.dbf");
        for (auto [numero, nombre, baja] : {std::tuple{17, "ANA", " "}, std::tuple{195, "BETO", " "},
                                            std::tuple{5, "CRUZ", "*"}, std::tuple{203, "DORA", " "}}) {
            e.append();
            e.fieldPut(1, Value(numero));
            e.fieldPut(2, Value(nombre));
            e.fieldPut(3, Value(baja));
        }
        rt::rdd::Table::create("Checadas.dbf", {{"EMPLEADO", 'N', 6, 0}, {"FECHA", 'C', 10, 0}, {"HORA", 'C', 8, 0}},
                               {});
    }
    void TearDown() override { WorkAreas::instance().closeAll(); }

    WorkArea& open(int number, const char* file) {
        WorkAreas& areas = WorkAreas::instance();
        areas.select(number);
        rt::rdd::UseOptions o;
        o.shared = true;
        EXPECT_TRUE(areas.use(file, o));
        return *areas.current();
    }
    void punch(int64_t badge, const char* date, const char* time) {
        rt::rdd::AreaGuard keep;
        WorkArea& p = open(9, "Checadas.dbf");
        p.append();
        p.fieldPut(1, Value(badge));
        p.fieldPut(2, Value(date));
        p.fieldPut(3, Value(time));
        WorkAreas::instance().close(9);
    }
    std::vector<Row> rows() {
        rt::rdd::AreaGuard keep;
        WorkArea& t = open(8, "asisxdia.dbf");
        std::vector<Row> all;
        auto text = [&](int n) {
            std::string s = t.fieldGet(n).asString();
            return s.substr(0, s.find_last_not_of(' ') + 1);
        };
        for (t.goTop(); !t.eof(); t.skip(1))
            all.emplace_back(t.fieldGet(1).asInteger(), text(2), text(3), text(4), text(5), text(6), text(7),
                             t.fieldGet(10).asInteger());
        WorkAreas::instance().close(8);
        return all;
    }
    int64_t build(const char* start, const char* end) {
        WorkArea& employees = *WorkAreas::instance().area(1);
        return buildAttendanceTable(employees, dateRange(start, end));
    }

    rt::testing::SettingsGuard settingsGuard_;
    rt::testing::TempFolder folder_{"vorpex_attendance_"};
    rt::testing::CurrentFolder current_{folder_.path()};
};

TEST_F(AttendanceTest, WeekdayRowsForEachActiveEmployeeOverEveryKindOfRange) {
    struct Case {
        const char *start, *end;
        std::vector<std::string> days;
    };
    const Case cases[] = {
        {"2010/03/01", "2010/03/01", {"2010/03/01"}},                          // one Monday
        {"2010/03/08", "2010/03/05", {"2010/03/05", "2010/03/08"}},            // typed end first, over a weekend
        {"2012/02/28", "2012/03/01", {"2012/02/28", "2012/02/29", "2012/03/01"}},  // a leap day
        {"2011/02/28", "2011/03/01", {"2011/02/28", "2011/03/01"}},
        {"2010/12/31", "2011/01/03", {"2010/12/31", "2011/01/03"}},            // the new year
        {"2010/03/06", "2010/03/07", {}},                                       // a weekend only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.end);
        std::vector<Row> expected;
        for (auto [badge, name] : {std::pair{17, "ANA"}, std::pair{195, "BETO"}, std::pair{203, "DORA"}})
            for (const std::string& day : c.days) expected.emplace_back(badge, name, day, "", "", "", "", 0);
        EXPECT_EQ(build(c.start, c.end), static_cast<int64_t>(expected.size()));
        EXPECT_EQ(rows(), expected);
    }
}

TEST_F(AttendanceTest, PunchesFillTheirBandsOnceUnderTheirEmployeesBadges) {
    punch(999, "2010/03/01", "08:50:00");  // BETO's badge on the warehouse clock
    punch(195, "2010/03/01", "08:55:00");  // a later entry: ignored
    punch(195, "2010/03/01", "09:31:00");  // morning exit
    punch(195, "2010/03/01", "14:31:00");  // afternoon entry
    punch(195, "2010/03/01", "20:45:00");  // afternoon exit: one extra hour
    punch(17, "2010/03/01", "07:45:00");
    punch(17, "2010/03/01", "20:45:00");   // two extra hours in all
    punch(233, "2010/03/01", "09:30:40");  // DORA under an old badge: still a morning entry
    punch(5, "2010/03/01", "08:00:00");    // CRUZ is discharged: a row of its own
    punch(777, "2010/03/01", "08:00:00");  // nobody's badge: a row with no name
    punch(17, "2010/03/06", "10:00:00");   // a Saturday: a row of its own
    punch(17, "2010/03/09", "08:00:00");   // outside the range
    WorkAreas::instance().area(1)->goTo(2);
    EXPECT_EQ(build("2010/03/01", "2010/03/08"), 3 * 6 + 3);
    EXPECT_EQ(WorkAreas::instance().area(1)->recno(), 2u) << "the employee shown stays";

    const std::vector<Row> all = rows();
    ASSERT_EQ(all.size(), 21u);
    EXPECT_EQ(all[0], Row(17, "ANA", "2010/03/01", "07:45:00", "", "", "20:45:00", 2));
    EXPECT_EQ(all[6], Row(195, "BETO", "2010/03/01", "08:50:00", "09:31:00", "14:31:00", "20:45:00", 1));
    EXPECT_EQ(all[12], Row(203, "DORA", "2010/03/01", "09:30:40", "", "", "", 0));
    EXPECT_EQ(all[18], Row(5, "CRUZ", "2010/03/01", "08:00:00", "", "", "", 1));
    EXPECT_EQ(all[19], Row(777, "", "2010/03/01", "08:00:00", "", "", "", 1));
    EXPECT_EQ(all[20], Row(17, "ANA", "2010/03/06", "", "10:00:00", "", "", 0));
}

TEST_F(AttendanceTest, AMissingPunchStoreStopsTheReportAndClosesItsAreas) {
    std::remove("Checadas.dbf");
    rt::testing::RecordingHandler errors(rt::ErrorAction::Break);
    EXPECT_THROW(build("2010/03/01", "2010/03/01"), rt::Break);
    EXPECT_EQ(WorkAreas::instance().area(2), nullptr);
    EXPECT_EQ(WorkAreas::instance().area(3), nullptr);
    EXPECT_EQ(WorkAreas::instance().currentNumber(), 1);
}

}  // namespace
}  // namespace asistencias
