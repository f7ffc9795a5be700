#pragma once
// What the benchmark tables time a design by: the CPU time of the thread that runs it,
// apart from the time other processes on a shared machine took the core away.

#include <time.h>

#include <algorithm>
#include <vector>

inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// The median of repeated timings: one run slowed by the machine does not move it.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
