// The loops on sixteen-byte blocks with SSE2, which every x86-64 processor has.
#include "engine/SimdKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include "engine/SimdKernelBody.h"
#include "engine/SimdTranscoders.h"

#include <emmintrin.h>

namespace {

struct Sse2
{
    using V = __m128i;
    static constexpr bool checksEveryBlock = false;
    static constexpr std::size_t width = 16;
    static V load(const void* at) { return _mm_loadu_si128(static_cast<const V*>(at)); }
    static void store(void* at, V value) { _mm_storeu_si128(static_cast<V*>(at), value); }
    static V zero() { return _mm_setzero_si128(); }
    static V splat(char byte) { return _mm_set1_epi8(byte); }
    static V eq(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V signedGreater(V a, V b) { return _mm_cmpgt_epi8(a, b); }
    static V atLeast(V a, V b) { return _mm_cmpeq_epi8(_mm_max_epu8(a, b), a); }
    static V bitAnd(V a, V b) { return _mm_and_si128(a, b); }
    static V bitOr(V a, V b) { return _mm_or_si128(a, b); }
    static V bitXor(V a, V b) { return _mm_xor_si128(a, b); }
    static std::uint32_t highBits(V value) { return std::uint32_t(_mm_movemask_epi8(value)); }
    template <int N> static V previous(V input, V before)
    {
        return _mm_or_si128(_mm_slli_si128(input, N), _mm_srli_si128(before, 16 - N));
    }
    static bool hasUtf8Errors(V input, V before) { return highBits(utf8Errors<Sse2>(input, before)) != 0; }
};

} // namespace

namespace quillora::simd {

const Kernels& sse2Kernels()
{
    // Text held whole in UTF-16 keeps to the plain rule: shuffling its units
    // needs a later instruction set.
    static constexpr Kernels table = vectorKernels<wholeUtf8Prefix<Sse2>, splitWords<Sse2>, textToLinesScalar<>>();
    return table;
}

} // namespace quillora::simd
#endif
