// Sixteen-byte scanning where the processor has SSE2: the header to include and the lowest set bit of a mask.
#pragma once

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUILLORA_SSE2 1
#ifdef _MSC_VER
#include <intrin.h>
#endif

namespace quillora {

inline int lowestSetBit(unsigned mask)
{
#ifdef _MSC_VER
    unsigned long index;
    _BitScanForward(&index, mask);
    return int(index);
#else
    return __builtin_ctz(mask);
#endif
}

} // namespace quillora
#endif
