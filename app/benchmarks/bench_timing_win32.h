// The clock and the median of the Windows benchmarks.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace mapwell {

// Milliseconds of the performance counter.
inline double MillisecondsNow() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace mapwell
