// The employee table read back through the engine: one record per roster
// entry, in badge order, with the discharge mark.
#include <gtest/gtest.h>

#include <filesystem>

#include "EmployeeTable.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/temp_folder.h"

TEST(EmployeeTable, HoldsTheRosterInBadgeOrderWithDischargeMarks)
{
    const rt::testing::TempFolder scratch;
    const std::filesystem::path& folder = scratch.path();
    const auto staff = demodata::makeRoster(7);
    std::string error;
    ASSERT_TRUE(demodata::writeEmployeeTable(folder / "empleado.dbf", staff, error)) << error;

    rt::rdd::UseOptions options;
    options.shared = true;
    auto& areas = rt::rdd::WorkAreas::instance();
    ASSERT_TRUE(areas.use((folder / "empleado.dbf").string(), options));
    rt::rdd::WorkArea& table = *areas.current();
    EXPECT_EQ(table.lastRec(), staff.size());
    int previous = 0, discharged = 0;
    for (table.goTop(); !table.eof(); table.skip(1)) {
        const int number = table.fieldGet(1).asInt();
        EXPECT_GT(number, previous);
        previous = number;
        const std::string mark = table.fieldGet(3).asString();
        EXPECT_TRUE(mark == "*" || mark == " ");
        discharged += mark == "*";
    }
    EXPECT_GE(discharged, 1);
    areas.closeAll();
}
