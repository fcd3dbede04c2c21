#pragma once
// Timing for the benchmarks: the performance counter, the best and the median
// of repeated runs. Windows only, like the benchmarks themselves.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

// Seconds since an arbitrary start.
inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// How long work takes, in seconds.
inline double Seconds(const std::function<void()>& work) {
    const double start = Now();
    work();
    return Now() - start;
}

// The best of a few runs, in seconds: the least disturbed by the rest of the machine.
inline double Best(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, Seconds(work));
    return best;
}

// The median of runs timings of work, in milliseconds.
inline double Median(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(Seconds(work) * 1000.0);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median of timings already taken.
inline double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
