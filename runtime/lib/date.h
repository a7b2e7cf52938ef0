// Calendar dates as the xBase functions see them: Julian day numbers (0 = the empty date), the "yyyymmdd"
// storage form, the display form that follows SET DATE / SET CENTURY / SET EPOCH, and the clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace rt {

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

bool isValidYmd(int year, int month, int day);
// Proleptic Gregorian calendar; 0 when the date does not exist (years 1..9999 only).
int32_t julianFromYmd(int year, int month, int day);
// {0, 0, 0} for the empty date.
Ymd ymdFromJulian(int32_t julian);
// The empty date when the parts do not form a date.
Date makeDate(int year, int month, int day);

// Year/Month/Day: 0 for the empty date.
int year(Date d);
int month(Date d);
int day(Date d);
// 1 = Sunday .. 7 = Saturday; 0 for the empty date.
int dow(Date d);
// English names; "" for the empty date or a number out of range.
std::string monthName(int month);
std::string dayName(int dow);
std::string cmonth(Date d);
std::string cdow(Date d);

// "yyyymmdd"; the empty date gives eight blanks, the form stored in a DBF field.
std::string dtos(Date d);
// SToD(): "yyyymmdd" to a date; "", blanks and anything that is not a real date give the empty date.
Date dateFromDtos(std::string_view text);
// The same under its language name. Call it qualified (rt::stod) or with a string_view: given a
// std::string, argument lookup prefers std::stod, which answers a double.
inline Date stod(std::string_view text) { return dateFromDtos(text); }

// The display form: `format` letters y, m, d are replaced by the digits, any other character is kept.
// The empty date shows as the format with blanks for the digits ("  /  /  ").
std::string dtoc(Date d, std::string_view format);
std::string dtoc(Date d);  // with effectiveDateFormat()
// Reads day, month and year as digit groups in the order the format gives them. A year of one or two
// digits falls in [epoch, epoch + 99]. Blank or invalid text gives the empty date.
Date ctod(std::string_view text, std::string_view format, int epoch);
Date ctod(std::string_view text);  // with effectiveDateFormat() and the SET EPOCH setting

// The clock (local time).
Date today();
std::string timeOfDay();      // "hh:mm:ss"
double secondsSinceMidnight();  // with hundredths, as Seconds() reports

}  // namespace rt
