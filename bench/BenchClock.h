#pragma once

// Clocks the benchmarks read: the calling thread's CPU time and the wall time, in ms.

#include <chrono>
#include <ctime>

namespace bench_clock {

inline double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

inline double WallMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace bench_clock
