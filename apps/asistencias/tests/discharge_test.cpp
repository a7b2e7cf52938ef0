// The discharge toggle on a real employee table: "*" and anything else flip as the program shows them, twice
// gives the mark back, only the given record changes, and a file lock held by another user leaves the mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/asistencias/discharge.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/recording_handler.h"
#include "tests/support/temp_folder.h"

namespace asistencias {
namespace {

using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

class DischargeTest : public ::testing::Test {
protected:
    void SetUp() override {
        table_ = folder_.file("empleado.dbf");
        rt::rdd::Table::create(table_, {{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"BAJA", 'C', 1, 0}}, {});
        WorkArea& maker = open(1);
        for (const char* mark : {"*", " ", "X"}) {
            maker.append();
            maker.fieldPut(3, rt::Value(mark));
        }
        WorkAreas::instance().close(1);
    }
    void TearDown() override { WorkAreas::instance().closeAll(); }

    WorkArea& open(int number, const char* alias = "EMPLEADO") {
        WorkAreas& areas = WorkAreas::instance();
        areas.select(number);
        rt::rdd::UseOptions o;
        o.alias = alias;
        o.shared = true;  // as the form's data set opens it
        EXPECT_TRUE(areas.use(table_, o));
        return *areas.current();
    }
    std::vector<std::string> marks(WorkArea& area) {
        std::vector<std::string> all;
        for (uint32_t r = 1; r <= area.lastRec(); ++r) {
            area.goTo(r);
            all.push_back(area.fieldGet(3).asString());
        }
        return all;
    }

    rt::testing::TempFolder folder_{"vorpex_discharge_"};
    std::string table_;
};

TEST_F(DischargeTest, FlipsOnlyTheGivenRecordAndTwiceGivesTheMarkBack) {
    WorkArea& employees = open(1);
    struct Case {
        uint32_t recno;
        DischargeToggle result;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {1, DischargeToggle::Unmarked, {" ", " ", "X"}},
        {3, DischargeToggle::Marked, {" ", " ", "*"}},  // anything but "*" becomes "*"
        {1, DischargeToggle::Marked, {"*", " ", "*"}},  // record 1 has its mark back
        {2, DischargeToggle::Marked, {"*", "*", "*"}},
        {2, DischargeToggle::Unmarked, {"*", " ", "*"}},
        {0, DischargeToggle::NoRecord, {"*", " ", "*"}},
        {4, DischargeToggle::NoRecord, {"*", " ", "*"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recno);
        EXPECT_EQ(toggleDischarge(employees, c.recno), c.result);
        EXPECT_FALSE(employees.fileLocked());
        EXPECT_EQ(marks(employees), c.after);
    }
}

TEST_F(DischargeTest, AFileLockHeldElsewhereLeavesTheMark) {
    WorkArea& other = open(2, "OTHER");  // another user of the table
    ASSERT_TRUE(other.lockFile());
    WorkArea& employees = open(1);
    rt::testing::RecordingHandler errors;
    EXPECT_EQ(toggleDischarge(employees, 1), DischargeToggle::LockRefused);
    other.unlockAll();
    EXPECT_EQ(marks(employees), (std::vector<std::string>{"*", " ", "X"}));
}

}  // namespace
}  // namespace asistencias
