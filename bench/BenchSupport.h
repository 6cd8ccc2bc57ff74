// Shared pieces of the benchmarks.
#pragma once

#include <algorithm>
#include <vector>

namespace quillora::bench {

// The middle of the measured values (the upper middle of an even count).
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace quillora::bench
