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

// Makes the compiler treat the memory at pointer as read, so that work whose result nothing else reads is done.
inline void keep(const void* pointer)
{
#if defined(__GNUC__)
    asm volatile("" : : "r"(pointer) : "memory");
#else
    static const void* volatile kept;
    kept = pointer;
#endif
}

} // namespace quillora::bench
