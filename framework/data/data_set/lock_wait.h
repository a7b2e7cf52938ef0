// The waiting loop behind record locks, file locks and appends on a shared table: try, and while another
// user is in the way sleep half a second and try again until the time-out runs out. A time-out of 0 waits for
// ever and tells the user now and then that the program is still waiting. The sleeper is a seam, so that tests
// run the loop without waiting.
#pragma once

#include <functional>

namespace vorpex::data {

inline constexpr int kLockPollMs = 500;

struct LockWait {
    double timeOut = 0;       // seconds; 0 = for ever
    double alertEvery = 0;    // the source's time-out: the period of the alerts in endless mode
    std::function<bool()> attempt;
    std::function<void()> alert;  // endless mode: after the first failure and then every alertEvery seconds
};

// Runs the loop; true when an attempt succeeded before the time-out.
bool waitFor(const LockWait& wait);

// The sleep between tries (milliseconds). Tests install one that only counts; an empty function restores the
// real sleep. Returns the previous sleeper.
using Sleeper = std::function<void(int)>;
Sleeper setLockSleeper(Sleeper sleeper);

}  // namespace vorpex::data
