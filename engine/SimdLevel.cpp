// Asks the processor once which vector instructions it has.
#include "engine/SimdLevel.h"

#include <algorithm>
#include <atomic>

namespace quillora {

namespace {

std::atomic<SimdLevel> limit{SimdLevel::Avx2};

} // namespace

SimdLevel processorSimdLevel()
{
#if defined(__x86_64__) && defined(__GNUC__)
    static const SimdLevel best = __builtin_cpu_supports("avx2") ? SimdLevel::Avx2 : SimdLevel::Sse2;
    return best;
#elif defined(_M_X64)
    return SimdLevel::Sse2;
#else
    return SimdLevel::Scalar;
#endif
}

SimdLevel simdLevel()
{
    return std::min(processorSimdLevel(), limit.load(std::memory_order_relaxed));
}

SimdLimit::SimdLimit(SimdLevel highest)
    : previous_(limit.exchange(highest, std::memory_order_relaxed))
{ }

SimdLimit::~SimdLimit()
{
    limit.store(previous_, std::memory_order_relaxed);
}

} // namespace quillora
