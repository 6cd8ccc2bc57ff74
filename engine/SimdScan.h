// The lowest set bit of a mask, and sixteen-byte scanning where the processor
// has SSE2.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUILLORA_SSE2 1
#endif

namespace quillora {

// The index of the lowest set bit of a mask that is not zero.
constexpr int lowestSetBit(std::uint32_t mask)
{
    return std::countr_zero(mask);
}

} // namespace quillora
