#include "date.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

#include "runtime/core/settings.h"

namespace rt {
namespace {

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDays = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static constexpr int kDaysIn[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDaysIn[m - 1];
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(std::string_view s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

// The one wrapper around the platform's thread-safe local time conversion.
std::tm localNow(double* fraction) {
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    if (fraction) {
        auto since = now.time_since_epoch();
        auto whole = std::chrono::duration_cast<std::chrono::seconds>(since);
        *fraction = std::chrono::duration<double>(since - whole).count();
    }
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

void putDigits(std::string& out, int value, size_t count) {
    std::string digits(count, '0');
    for (size_t i = count; i-- > 0; value /= 10) digits[i] = static_cast<char>('0' + value % 10);
    out += digits;
}

}  // namespace

bool isValidYmd(int y, int m, int d) {
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(y, m);
}

int32_t julianFromYmd(int y, int m, int d) {
    if (!isValidYmd(y, m, d)) return 0;
    int a = (14 - m) / 12;
    int yy = y + 4800 - a;
    int mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

Ymd ymdFromJulian(int32_t julian) {
    if (julian <= 0) return {};
    int64_t a = int64_t(julian) + 32044;
    int64_t b = (4 * a + 3) / 146097;
    int64_t c = a - 146097 * b / 4;
    int64_t d = (4 * c + 3) / 1461;
    int64_t e = c - 1461 * d / 4;
    int64_t m = (5 * e + 2) / 153;
    Ymd r;
    r.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    r.month = static_cast<int>(m + 3 - 12 * (m / 10));
    r.year = static_cast<int>(100 * b + d - 4800 + m / 10);
    return r;
}

Date makeDate(int y, int m, int d) { return Date{julianFromYmd(y, m, d)}; }

int year(Date d) { return ymdFromJulian(d.julian).year; }
int month(Date d) { return ymdFromJulian(d.julian).month; }
int day(Date d) { return ymdFromJulian(d.julian).day; }

int dow(Date d) {
    if (d.empty()) return 0;
    // Julian day 0 fell on a Monday.
    return static_cast<int>((int64_t(d.julian) + 1) % 7) + 1;
}

std::string monthName(int m) { return m >= 1 && m <= 12 ? kMonths[m - 1] : ""; }
std::string dayName(int w) { return w >= 1 && w <= 7 ? kDays[w - 1] : ""; }
std::string cmonth(Date d) { return monthName(month(d)); }
std::string cdow(Date d) { return dayName(dow(d)); }

std::string dtos(Date d) {
    if (d.empty()) return std::string(8, ' ');
    Ymd p = ymdFromJulian(d.julian);
    std::string out;
    putDigits(out, p.year, 4);
    putDigits(out, p.month, 2);
    putDigits(out, p.day, 2);
    return out;
}

Date dateFromDtos(std::string_view text) {
    if (text.size() < 8 || isBlank(text)) return {};
    int parts[3] = {0, 0, 0};
    static constexpr size_t kLen[3] = {4, 2, 2};
    size_t pos = 0;
    for (int i = 0; i < 3; ++i)
        for (size_t k = 0; k < kLen[i]; ++k, ++pos) {
            char c = text[pos];
            if (!isDigit(c)) return {};
            parts[i] = parts[i] * 10 + (c - '0');
        }
    return makeDate(parts[0], parts[1], parts[2]);
}

std::string dtoc(Date d, std::string_view format) {
    Ymd p = ymdFromJulian(d.julian);
    std::string out;
    for (size_t i = 0; i < format.size();) {
        char c = static_cast<char>(format[i] | 0x20);
        if (c != 'y' && c != 'm' && c != 'd') {
            out += format[i++];
            continue;
        }
        size_t run = 1;
        while (i + run < format.size() && static_cast<char>(format[i + run] | 0x20) == c) ++run;
        i += run;
        if (d.empty()) {
            out.append(run, ' ');
            continue;
        }
        int value = c == 'y' ? p.year : c == 'm' ? p.month : p.day;
        if (c == 'y' && run < 4) value %= 100;  // "yy" shows the last two digits
        putDigits(out, value, run);
    }
    return out;
}

std::string dtoc(Date d) { return dtoc(d, effectiveDateFormat()); }

Date ctod(std::string_view text, std::string_view format, int epoch) {
    if (isBlank(text)) return {};
    // The order of day, month and year in the format.
    std::string order;
    for (char f : format) {
        char c = static_cast<char>(f | 0x20);
        if ((c == 'y' || c == 'm' || c == 'd') && order.find(c) == std::string::npos) order += c;
    }
    if (order.size() != 3) order = "mdy";
    int values[3] = {0, 0, 0};
    size_t digits[3] = {0, 0, 0};
    size_t group = 0, pos = 0;
    while (group < 3 && pos < text.size()) {
        if (!isDigit(text[pos])) {
            ++pos;
            continue;
        }
        while (pos < text.size() && isDigit(text[pos])) {
            if (digits[group] < 9) values[group] = values[group] * 10 + (text[pos] - '0');
            ++digits[group];
            ++pos;
        }
        ++group;
    }
    if (group < 3) return {};
    int y = 0, m = 0, d = 0;
    for (int i = 0; i < 3; ++i) {
        if (order[i] == 'y') {
            y = values[i];
            if (digits[i] <= 2) {
                y += epoch / 100 * 100;
                if (y < epoch) y += 100;
            }
        } else if (order[i] == 'm') {
            m = values[i];
        } else {
            d = values[i];
        }
    }
    return makeDate(y, m, d);
}

Date ctod(std::string_view text) { return ctod(text, effectiveDateFormat(), settings().epoch); }

Date today() {
    std::tm tm = localNow(nullptr);
    return makeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

std::string timeOfDay() {
    std::tm tm = localNow(nullptr);
    std::string out;
    putDigits(out, tm.tm_hour, 2);
    out += ':';
    putDigits(out, tm.tm_min, 2);
    out += ':';
    putDigits(out, tm.tm_sec, 2);
    return out;
}

double secondsSinceMidnight() {
    double fraction = 0;
    std::tm tm = localNow(&fraction);
    double whole = tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec;
    return whole + std::floor(fraction * 100.0) / 100.0;
}

}  // namespace rt
