// The vector loops on 32-byte blocks with AVX2; built for AVX2 alone and called only where the processor has it.
#include "engine/SimdKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include "engine/SimdKernelBody.h"

#include <immintrin.h>

namespace {

struct Avx2
{
    using V = __m256i;
    static constexpr std::size_t width = 32;
    static V load(const void* at) { return _mm256_loadu_si256(static_cast<const V*>(at)); }
    static void store(void* at, V value) { _mm256_storeu_si256(static_cast<V*>(at), value); }
    static V zero() { return _mm256_setzero_si256(); }
    static V splat(char byte) { return _mm256_set1_epi8(byte); }
    static V eq(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
    static V signedGreater(V a, V b) { return _mm256_cmpgt_epi8(a, b); }
    static V atLeast(V a, V b) { return _mm256_cmpeq_epi8(_mm256_max_epu8(a, b), a); }
    static V bitAnd(V a, V b) { return _mm256_and_si256(a, b); }
    static V bitOr(V a, V b) { return _mm256_or_si256(a, b); }
    static V bitXor(V a, V b) { return _mm256_xor_si256(a, b); }
    static std::uint32_t highBits(V value) { return std::uint32_t(_mm256_movemask_epi8(value)); }
    template <int N> static V previous(V input, V before)
    {
        // The lanes are sixteen bytes each: line up the upper half of before with the lower half of input first.
        return _mm256_alignr_epi8(input, _mm256_permute2x128_si256(before, input, 0x21), 16 - N);
    }
};

} // namespace

namespace quillora::simd {

std::size_t wholeUtf8PrefixAvx2(const unsigned char* data, std::size_t size, bool& sawHigh)
{
    return wholeUtf8Prefix<Avx2>(data, size, sawHigh);
}

const char* splitWordsAvx2(const char* at, const char* end, char*& out, WordProgress& progress)
{
    return splitWords<Avx2>(at, end, out, progress);
}

} // namespace quillora::simd
#endif
