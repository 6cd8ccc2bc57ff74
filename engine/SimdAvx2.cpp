// The loops on 32-byte blocks with AVX2; built for AVX2 alone and called only
// where the processor has it.
#include "engine/SimdKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include "engine/SimdKernelBody.h"
#include "engine/SimdTranscoders.h"

#include <algorithm>
#include <array>
#include <immintrin.h>
#include <iterator>

namespace {

struct Avx2
{
    using V = __m256i;
    static constexpr bool checksEveryBlock = true;
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
        // The lanes are sixteen bytes each: line up the upper half of before with
        // the lower half of input first.
        return _mm256_alignr_epi8(input, _mm256_permute2x128_si256(before, input, 0x21), 16 - N);
    }
    static bool hasUtf8Errors(V input, V before);
};

// The UTF-8 check by table lookups: each pair of neighbouring bytes is looked
// up by the first byte's high and low nibble and the second byte's high nibble,
// in three tables whose common bits name the ways the pair can be wrong. A bit
// of its own marks two continuation bytes in a row, which is wrong unless a
// lead byte two or three bytes back asked for them.
namespace pair {
constexpr std::uint8_t tooShort = 1 << 0; // a lead byte not followed by a continuation
constexpr std::uint8_t tooLong = 1 << 1; // ASCII followed by a continuation
constexpr std::uint8_t overlong3 = 1 << 2; // E0 80 to E0 9F
constexpr std::uint8_t tooLarge = 1 << 3; // F4 90 and up, F5 and up
constexpr std::uint8_t surrogate = 1 << 4; // ED A0 to ED BF
constexpr std::uint8_t overlong2 = 1 << 5; // C0 and C1
constexpr std::uint8_t overlong4OrTooLarge = 1 << 6; // F0 80 to F0 8F; F5 and up before 80 to 8F
constexpr std::uint8_t twoContinuations = 1 << 7;
constexpr std::uint8_t carry = tooShort | tooLong | twoContinuations;

__m256i lookup(__m256i nibbles, const std::uint8_t (&table)[16])
{
    return _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table))),
                               nibbles);
}

constexpr std::uint8_t firstHigh[16] = {
    tooLong,
    tooLong,
    tooLong,
    tooLong,
    tooLong,
    tooLong,
    tooLong,
    tooLong,
    twoContinuations,
    twoContinuations,
    twoContinuations,
    twoContinuations,
    tooShort | overlong2,
    tooShort,
    tooShort | overlong3 | surrogate,
    tooShort | tooLarge | overlong4OrTooLarge,
};
constexpr std::uint8_t firstLow[16] = {
    carry | overlong3 | overlong2 | overlong4OrTooLarge,
    carry | overlong2,
    carry,
    carry,
    carry | tooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge | surrogate,
    carry | tooLarge | overlong4OrTooLarge,
    carry | tooLarge | overlong4OrTooLarge,
};
constexpr std::uint8_t secondHigh[16] = {
    tooShort,
    tooShort,
    tooShort,
    tooShort,
    tooShort,
    tooShort,
    tooShort,
    tooShort,
    tooLong | overlong2 | twoContinuations | overlong3 | overlong4OrTooLarge,
    tooLong | overlong2 | twoContinuations | overlong3 | tooLarge,
    tooLong | overlong2 | twoContinuations | surrogate | tooLarge,
    tooLong | overlong2 | twoContinuations | surrogate | tooLarge,
    tooShort,
    tooShort,
    tooShort,
    tooShort,
};
} // namespace pair

bool Avx2::hasUtf8Errors(V input, V before)
{
    const V lowNibbles = splat(0x0F);
    const V previous1 = previous<1>(input, before);
    const V pairs = bitAnd(bitAnd(pair::lookup(bitAnd(_mm256_srli_epi16(previous1, 4), lowNibbles), pair::firstHigh),
                                  pair::lookup(bitAnd(previous1, lowNibbles), pair::firstLow)),
                           pair::lookup(bitAnd(_mm256_srli_epi16(input, 4), lowNibbles), pair::secondHigh));
    // A third byte after E0 to EF, or a third or fourth after F0 and up, must be
    // a continuation: the high bit of a saturated difference says where.
    const V asked = bitOr(_mm256_subs_epu8(previous<2>(input, before), splat(char(0xE0 - 0x80))),
                          _mm256_subs_epu8(previous<3>(input, before), splat(char(0xF0 - 0x80))));
    const V errors = bitXor(bitAnd(asked, splat(char(0x80))), pairs);
    return !_mm256_testz_si256(errors, errors);
}

// How to write one group of eight bytes: which bytes of the group (0 to 7) and
// of the line break (8 CR, 9 LF) go out in order, and how many.
struct GroupShuffle
{
    alignas(16) std::uint8_t picks[16];
    std::uint8_t length;
};

// One shuffle for each pattern of spaces in a group, and each answer to whether
// the byte before the group was a space with a word written before it. Every
// word after such a space starts on a new line; spaces go.
using GroupShuffles = std::array<GroupShuffle, 512>;

const GroupShuffles& groupShuffles()
{
    static const GroupShuffles table = [] {
        GroupShuffles shuffles{};
        for (unsigned index = 0; index < 512; ++index) {
            GroupShuffle& shuffle = shuffles[index];
            std::fill(std::begin(shuffle.picks), std::end(shuffle.picks), std::uint8_t(0x80));
            bool spaceBefore = index >> 8;
            for (unsigned byte = 0; byte < 8; ++byte) {
                const bool space = (index >> byte) & 1;
                if (!space && spaceBefore) {
                    shuffle.picks[shuffle.length++] = 8;
                    shuffle.picks[shuffle.length++] = 9;
                }
                if (!space)
                    shuffle.picks[shuffle.length++] = std::uint8_t(byte);
                spaceBefore = space;
            }
        }
        return shuffles;
    }();
    return table;
}

// Splits 32 bytes at a time by shuffling each group of eight into place with
// its line break; stops fewer than 32 bytes short of end. Writes up to sixteen
// bytes past the returned output end.
const char* splitWordsByShuffles(const char* at, const char* end, char*& outRef, WordProgress& progress)
{
    // Spaces before the first word write nothing; past them the next byte starts
    // the first line.
    if (!progress.wroteAny) {
        while (at < end && *at == ' ')
            ++at;
        if (at == end)
            return at;
        progress.wroteAny = true;
    }
    const auto& table = groupShuffles();
    const __m128i spaces = _mm_set1_epi8(' ');
    // CR and LF where the shuffles pick them, bytes 8 and 9, once a group's bytes
    // fill the first eight.
    const __m128i lineBreak = _mm_set_epi8(0, 0, 0, 0, 0, 0, '\n', '\r', 0, 0, 0, 0, 0, 0, '\n', '\r');
    char* out = outRef;
    std::uint32_t pending = progress.breakPending ? 1 : 0;
    while (end - at >= 32) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16));
        const std::uint32_t mask = std::uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(low, spaces)))
            | std::uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(high, spaces))) << 16;
        // Each group of eight is picked by its spaces and whether a space came just
        // before it.
        const std::uint32_t before = (mask << 1) | pending;
        const __m128i groups[4] = {_mm_unpacklo_epi64(low, lineBreak), _mm_unpackhi_epi64(low, lineBreak),
                                   _mm_unpacklo_epi64(high, lineBreak), _mm_unpackhi_epi64(high, lineBreak)};
        for (int group = 0; group < 4; ++group) {
            const unsigned index = ((mask >> (8 * group)) & 0xFF) | ((before >> (8 * group)) & 1) << 8;
            const GroupShuffle& shuffle = table[index];
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(out),
                _mm_shuffle_epi8(groups[group], _mm_load_si128(reinterpret_cast<const __m128i*>(shuffle.picks))));
            out += shuffle.length;
        }
        // A block that ends in a space leaves a line break due before the next
        // word.
        pending = mask >> 31;
        at += 32;
    }
    progress.breakPending = pending != 0;
    outRef = out;
    return at;
}

} // namespace

namespace quillora::simd {

const Kernels& avx2Kernels()
{
    static constexpr Kernels table = vectorKernels<wholeUtf8Prefix<Avx2>, splitWordsByShuffles, textToLinesAvx2>();
    return table;
}

} // namespace quillora::simd
#endif
