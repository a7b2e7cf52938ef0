// The demo clock files must be read by the punch import as they are: every
// line in the clocks' exact format, workdays only, at most four punches per
// employee and day in increasing order, and the same files on every run.
#include "ClockFile.h"
#include "PunchGenerator.h"
#include "Roster.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

using namespace demodata;
using namespace std::chrono;

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<Punch> allPunches(const std::vector<Employee>& staff, const PunchPlan& plan)
{
    auto punches = makePunches(staff, Clock::Almacen, plan);
    auto offices = makePunches(staff, Clock::Oficinas, plan);
    punches.insert(punches.end(), offices.begin(), offices.end());
    return punches;
}

} // namespace

TEST(ClockFile, FormatsPunchLikeTheClocks)
{
    struct Case { int badge; year_month_day date; int second; const char* line; };
    const Case cases[] = {
        {17, 2010y / March / 25, 8 * 3600 + 15 * 60, "17,25/03/2010 08:15:00"},
        {195, 2010y / January / 4, 0, "195,04/01/2010 00:00:00"},
        {999, 2009y / December / 31, 86399, "999,31/12/2009 23:59:59"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatPunch({c.badge, sys_days{c.date}, c.second}), c.line);
}

TEST(ClockFile, WrittenFileHoldsOneCrLfLinePerPunch)
{
    const auto path = std::filesystem::temp_directory_path() / "vorpex_demodata_test.csv";
    const std::vector<Punch> punches = {{5, sys_days{2010y / March / 1}, 7 * 3600},
                                        {6, sys_days{2010y / March / 1}, 7 * 3600 + 1}};
    ASSERT_TRUE(writeClockFile(path, punches));
    EXPECT_EQ(readFile(path), "5,01/03/2010 07:00:00\r\n6,01/03/2010 07:00:01\r\n");
    std::filesystem::remove(path);

    EXPECT_FALSE(writeClockFile(std::filesystem::path("no-such-folder") / "x" / "a.csv", punches));
}

TEST(PunchGenerator, WorkdaysOnlyAtMostFourIncreasingPunchesADay)
{
    const auto staff = makeRoster(2010);
    const PunchPlan plan;
    std::map<std::pair<int, sys_days>, std::vector<int>> byEmployeeDay;
    for (const Punch& p : allPunches(staff, plan)) {
        const weekday wd{p.day};
        EXPECT_NE(wd, Saturday);
        EXPECT_NE(wd, Sunday);
        EXPECT_GE(p.day, sys_days{plan.firstDay});
        EXPECT_LT(p.day, sys_days{plan.firstDay} + weeks(plan.weeks));
        byEmployeeDay[{p.badge, p.day}].push_back(p.second);
    }

    std::size_t complete = 0;
    for (const auto& [key, seconds] : byEmployeeDay) {
        EXPECT_LE(seconds.size(), 4u);
        EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
        EXPECT_EQ(std::set<int>(seconds.begin(), seconds.end()).size(), seconds.size());
        complete += seconds.size() == 4;
    }
    // Realistic: most days complete, but some punches missing.
    EXPECT_GT(complete, byEmployeeDay.size() * 8 / 10);
    EXPECT_LT(complete, byEmployeeDay.size());
}

TEST(PunchGenerator, EveryBadgeBelongsToTheRosterAndEachEmployeeToOneClock)
{
    const auto staff = makeRoster(2010);
    std::set<int> clockBadges;
    for (const Employee& e : staff)
        clockBadges.insert(e.clockBadge);
    EXPECT_GE(staff.size(), 24u);
    EXPECT_TRUE(clockBadges.count(999)) << "the re-enrolled badge";

    const PunchPlan plan;
    std::set<int> warehouse, offices;
    for (const Punch& p : makePunches(staff, Clock::Almacen, plan))
        warehouse.insert(p.badge);
    for (const Punch& p : makePunches(staff, Clock::Oficinas, plan))
        offices.insert(p.badge);
    for (int badge : warehouse)
        EXPECT_TRUE(clockBadges.count(badge) && !offices.count(badge)) << badge;
    for (int badge : offices)
        EXPECT_TRUE(clockBadges.count(badge)) << badge;
    EXPECT_FALSE(warehouse.empty());
    EXPECT_FALSE(offices.empty());
}

TEST(PunchGenerator, SameSeedSameFilesOtherSeedOtherFiles)
{
    const PunchPlan plan;
    const auto first = makePunches(makeRoster(plan.seed), Clock::Almacen, plan);
    const auto again = makePunches(makeRoster(plan.seed), Clock::Almacen, plan);
    PunchPlan other = plan;
    other.seed = 7;
    const auto different = makePunches(makeRoster(other.seed), Clock::Almacen, other);

    auto lines = [](const std::vector<Punch>& punches) {
        std::string text;
        for (const Punch& p : punches)
            text += formatPunch(p) + "\n";
        return text;
    };
    EXPECT_EQ(lines(first), lines(again));
    EXPECT_NE(lines(first), lines(different));
}
