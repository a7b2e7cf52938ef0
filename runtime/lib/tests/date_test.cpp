#include <gtest/gtest.h>

#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "tests/support/settings_guard.h"

namespace rt {
namespace {

using testing::SettingsGuard;

TEST(Julian, KnownDaysAndRoundTrip) {
    EXPECT_EQ(julianFromYmd(2000, 1, 1), 2451545);
    EXPECT_EQ(julianFromYmd(1970, 1, 1), 2440588);
    EXPECT_EQ(julianFromYmd(2000, 2, 30), 0);
    EXPECT_EQ(julianFromYmd(1900, 2, 29), 0);  // not a leap year
    EXPECT_NE(julianFromYmd(2000, 2, 29), 0);  // a leap year
    EXPECT_EQ(julianFromYmd(0, 1, 1), 0);
    for (int32_t j = julianFromYmd(1, 1, 1); j < julianFromYmd(9999, 12, 31); j += 997) {
        Ymd p = ymdFromJulian(j);
        ASSERT_EQ(julianFromYmd(p.year, p.month, p.day), j);
    }
    EXPECT_EQ(ymdFromJulian(0), Ymd{});
}

TEST(Dates, PartsNamesAndWeekday) {
    Date d = makeDate(2024, 2, 29);
    EXPECT_EQ(year(d), 2024);
    EXPECT_EQ(month(d), 2);
    EXPECT_EQ(day(d), 29);
    EXPECT_EQ(dow(d), 5);  // a Thursday
    EXPECT_EQ(cdow(d), "Thursday");
    EXPECT_EQ(cmonth(d), "February");
    EXPECT_EQ(dow(makeDate(2000, 1, 2)), 1);  // Sunday
    EXPECT_EQ(dow(makeDate(2000, 1, 1)), 7);  // Saturday
    Date empty;
    EXPECT_EQ(year(empty), 0);
    EXPECT_EQ(dow(empty), 0);
    EXPECT_EQ(cmonth(empty), "");
    EXPECT_EQ(cdow(empty), "");
}

TEST(Dates, StorageForm) {
    struct Case {
        const char* text;
        int y, m, d;
    } cases[] = {
        {"20240229", 2024, 2, 29}, {"19991231", 1999, 12, 31}, {"", 0, 0, 0},       {"        ", 0, 0, 0},
        {"20230229", 0, 0, 0},     {"2024 229", 0, 0, 0},      {"2024022", 0, 0, 0}, {"abcdefgh", 0, 0, 0},
    };
    for (const Case& c : cases) {
        Date d = dateFromDtos(c.text);
        EXPECT_EQ(d, makeDate(c.y, c.m, c.d)) << c.text;
    }
    EXPECT_EQ(dtos(makeDate(5, 3, 7)), "00050307");
    EXPECT_EQ(dtos(Date{}), "        ");
}

TEST(Dates, DisplayFollowsFormat) {
    Date d = makeDate(2024, 3, 7);
    struct Case {
        const char* format;
        const char* shown;
        const char* empty;
    } cases[] = {
        {"mm/dd/yy", "03/07/24", "  /  /  "},       {"dd/mm/yyyy", "07/03/2024", "  /  /    "},
        {"yyyy.mm.dd", "2024.03.07", "    .  .  "}, {"DD-MM-YY", "07-03-24", "  -  -  "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dtoc(d, c.format), c.shown) << c.format;
        EXPECT_EQ(dtoc(Date{}, c.format), c.empty) << c.format;
    }
}

TEST(Dates, DisplayUsesSettings) {
    SettingsGuard guard;
    settings().dateFormat = "dd/mm/yy";
    settings().century = false;
    EXPECT_EQ(dtoc(makeDate(2024, 3, 7)), "07/03/24");
    settings().century = true;
    EXPECT_EQ(dtoc(makeDate(2024, 3, 7)), "07/03/2024");
}

TEST(Dates, ReadingFollowsFormatAndEpoch) {
    struct Case {
        const char* text;
        const char* format;
        int epoch;
        int y, m, d;
    } cases[] = {
        {"03/07/24", "mm/dd/yy", 1900, 1924, 3, 7},     {"03/07/24", "mm/dd/yy", 1950, 2024, 3, 7},
        {"03/07/49", "mm/dd/yy", 1950, 2049, 3, 7},     {"03/07/50", "mm/dd/yy", 1950, 1950, 3, 7},
        {"07/03/2024", "dd/mm/yyyy", 1900, 2024, 3, 7}, {"07/03/2024", "dd/mm/yy", 1900, 2024, 3, 7},
        {"2024/03/07", "yyyy/mm/dd", 1900, 2024, 3, 7}, {"7.3.24", "dd.mm.yy", 1990, 2024, 3, 7},
        {"31/02/2024", "dd/mm/yyyy", 1900, 0, 0, 0},    {"  /  /  ", "dd/mm/yy", 1900, 0, 0, 0},
        {"", "dd/mm/yy", 1900, 0, 0, 0},                {"12/2024", "dd/mm/yyyy", 1900, 0, 0, 0},
        {"99999999999/1/1", "dd/mm/yyyy", 1900, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ctod(c.text, c.format, c.epoch), makeDate(c.y, c.m, c.d)) << c.text << " " << c.format;
}

TEST(Dates, ReadingUsesSettings) {
    SettingsGuard guard;
    settings().dateFormat = "dd/mm/yyyy";
    settings().epoch = 1950;
    EXPECT_EQ(ctod("07/03/24"), makeDate(2024, 3, 7));
    EXPECT_EQ(dtoc(ctod("07/03/2024")), "07/03/24");  // century off narrows the shown year
}

TEST(Clock, TodayAndTimeHaveTheirShapes) {
    Date d = today();
    EXPECT_GT(year(d), 2000);
    std::string t = timeOfDay();
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[2], ':');
    EXPECT_EQ(t[5], ':');
    double s = secondsSinceMidnight();
    EXPECT_GE(s, 0.0);
    EXPECT_LT(s, 86400.0);
}

}  // namespace
}  // namespace rt
