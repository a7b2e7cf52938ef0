// Wall and processor seconds of one benchmark run, printed the way the run scripts read them:
// "wall cpu count" on one line.
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace bench {

class RunTimer {
public:
    // Processor time (user + system) of this process: the figure that other load on the machine disturbs least.
    static double cpuSeconds() {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
               static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    }

    // Both times since the timer was made, and the count of records the run added.
    void print(long count) const {
        const double wall = std::chrono::duration<double>(Clock::now() - start_).count();
        std::printf("%.3f %.3f %ld\n", wall, cpuSeconds() - cpu_, count);
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_ = Clock::now();
    double cpu_ = cpuSeconds();
};

}  // namespace bench
