// The rule on UTF-16 text with AVX2: 8 units at a time become up to 16 (each lone space CR LF) with one table
// look-up; built for AVX2 alone and called only where the processor has it.
#include "engine/SimdKernels.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <array>
#include <bit>
#include <cstdint>
#include <immintrin.h>

namespace {

// For each pattern of spaces among 8 units without two in a row: where each of the 16 output units takes its
// bytes from (0x80: none), and the CR LF bytes to put in place of each space.
struct Expansion
{
    std::array<std::array<std::uint8_t, 16>, 2> take;
    std::array<std::array<std::uint8_t, 16>, 2> breaks;
};

constexpr std::array<Expansion, 256> makeExpansions()
{
    std::array<Expansion, 256> table{};
    for (int mask = 0; mask < 256; ++mask) {
        int unit = 0;
        const auto put = [&](std::uint8_t low, std::uint8_t high, std::uint8_t breakByte) {
            if (unit < 16) {
                table[mask].take[unit / 8][(unit % 8) * 2] = low;
                table[mask].take[unit / 8][(unit % 8) * 2 + 1] = high;
                table[mask].breaks[unit / 8][(unit % 8) * 2] = breakByte;
            }
            ++unit;
        };
        for (int i = 0; i < 8; ++i) {
            if (mask & (1 << i)) {
                put(0x80, 0x80, '\r');
                put(0x80, 0x80, '\n');
            } else {
                put(std::uint8_t(2 * i), std::uint8_t(2 * i + 1), 0);
            }
        }
        while (unit < 16)
            put(0x80, 0x80, 0);
    }
    return table;
}

constexpr std::array<Expansion, 256> expansions = makeExpansions();

} // namespace

namespace quillora::simd {

qsizetype textToLinesAvx2(const char16_t* in, qsizetype size, char16_t* out)
{
    char16_t* const start = out;
    // A space after a word that has not yet been written as CR LF, and a CR LF just written for a space.
    bool pending = false;
    bool written = false;
    const auto oneUnit = [&](char16_t unit) {
        if (unit == u' ') {
            pending = pending || (!written && out != start);
            return;
        }
        if (pending) {
            *out++ = u'\r';
            *out++ = u'\n';
            pending = false;
        }
        *out++ = unit;
        written = false;
    };
    const __m128i space = _mm_set1_epi16(0x20);
    qsizetype at = 0;
    for (; at + 8 <= size; at += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
        const auto mask
            = unsigned(_mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(units, space), _mm_setzero_si128())));
        const bool runOfSpaces = (mask & (mask >> 1)) != 0 || ((mask & 1u) && written);
        if (pending || out == start || runOfSpaces) {
            for (int i = 0; i < 8; ++i)
                oneUnit(in[at + i]);
            continue;
        }
        const Expansion& expansion = expansions[mask];
        for (int half = 0; half < 2; ++half) {
            const __m128i take = _mm_loadu_si128(reinterpret_cast<const __m128i*>(expansion.take[half].data()));
            const __m128i breaks = _mm_loadu_si128(reinterpret_cast<const __m128i*>(expansion.breaks[half].data()));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8 * half),
                             _mm_or_si128(_mm_shuffle_epi8(units, take), breaks));
        }
        out += 8 + std::popcount(mask);
        written = (mask & 0x80u) != 0;
    }
    for (; at < size; ++at)
        oneUnit(in[at]);
    // No line break follows the last word.
    if (written)
        out -= 2;
    return out - start;
}
} // namespace quillora::simd
#endif
