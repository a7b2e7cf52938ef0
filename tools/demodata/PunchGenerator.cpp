#include "PunchGenerator.h"

#include <algorithm>
#include <array>
#include <random>
#include <tuple>

namespace demodata {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr int kMinute = 60;
constexpr int kHour = 60 * kMinute;

bool isWorkday(sys_days day)
{
    const std::chrono::weekday wd{day};
    return wd != std::chrono::Saturday && wd != std::chrono::Sunday;
}

int uniform(std::mt19937& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// The four punches of one day for a shift starting at `start`, strictly
// increasing whatever the jitter.
std::array<int, 4> dayPunches(std::mt19937& rng, int start)
{
    const int in = start + uniform(rng, -12 * kMinute, 9 * kMinute);
    const int lunchOut = start + 5 * kHour + uniform(rng, -10 * kMinute, 10 * kMinute);
    const int lunchBack = lunchOut + uniform(rng, 40 * kMinute, 65 * kMinute);
    const int out = start + 9 * kHour + uniform(rng, -5 * kMinute, 25 * kMinute);
    return {in, lunchOut, lunchBack, out};
}

} // namespace

std::vector<Punch> makePunches(const std::vector<Employee>& staff, Clock clock, const PunchPlan& plan)
{
    const sys_days first{plan.firstDay};
    const int periodDays = plan.weeks * 7;
    std::vector<Punch> punches;

    for (const Employee& e : staff) {
        if (e.clock != clock)
            continue;
        // Each employee's own stream, so one employee's punches do not change
        // when the rest of the staff changes.
        std::mt19937 rng(plan.seed * 7919u + static_cast<unsigned>(e.number));
        const int start = std::array{7, 8, 9}[uniform(rng, 0, 2)] * kHour;
        const int lastDay = e.discharged ? uniform(rng, periodDays / 2, periodDays - 3) : periodDays - 1;
        for (int d = 0; d <= lastDay; ++d) {
            const sys_days day = first + days(d);
            if (!isWorkday(day) || uniform(rng, 1, 100) <= 3)  // weekend or absent
                continue;
            for (int second : dayPunches(rng, start)) {
                if (uniform(rng, 1, 1000) <= 15)  // forgot to punch
                    continue;
                punches.push_back({e.clockBadge, day, second});
            }
        }
    }
    std::sort(punches.begin(), punches.end(), [](const Punch& a, const Punch& b) {
        return std::tie(a.day, a.second, a.badge) < std::tie(b.day, b.second, b.badge);
    });
    return punches;
}

} // namespace demodata
