#include "framework/data/data_set/lock_wait.h"

#include <chrono>
#include <thread>
#include <utility>

namespace vorpex::data {

namespace {

Sleeper& sleeper() {
    static Sleeper s;
    return s;
}

void pause(int ms) {
    if (sleeper()) return sleeper()(ms);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

Sleeper setLockSleeper(Sleeper s) { return std::exchange(sleeper(), std::move(s)); }

// Time is counted in tries, not read from a clock: a time-out of n seconds is 2n tries, as the users know it.
bool waitFor(const LockWait& wait) {
    const bool forever = wait.timeOut <= 0;
    double left = wait.timeOut;
    while (forever || left > 0) {
        if (wait.attempt()) return true;
        pause(kLockPollMs);
        left -= kLockPollMs / 1000.0;
        if (forever && left <= 0) {
            if (wait.alert) wait.alert();
            left = wait.alertEvery;
        }
    }
    return false;
}

}  // namespace vorpex::data
