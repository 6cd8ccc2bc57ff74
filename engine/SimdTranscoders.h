// Windows-1252 and UTF-16 to UTF-8 sixteen units at a time, and the staging that splits the UTF-8 while it is
// still in the cache. Built into each vector level's loops; everything here has internal linkage, so no copy built
// for one instruction set can stand in for another's.
#pragma once

#include "engine/SimdKernels.h"
#include "engine/SimdScan.h"
#include "engine/WordsToLinesRule.h"

#include <array>
#include <cstring>
#include <emmintrin.h>

namespace {

// The UTF-8 form of each Windows-1252 byte from 80 to FF, padded to four bytes to be copied whole.
struct Utf8Form
{
    char bytes[4];
    int length;
};

const std::array<Utf8Form, 128>& windows1252Forms()
{
    static const std::array<Utf8Form, 128> forms = [] {
        std::array<Utf8Form, 128> table{};
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            Utf8Form& form = table[size_t(byte - 0x80)];
            form.length = int(putCodePoint(form.bytes, quillora::windows1252Character(static_cast<unsigned char>(byte)))
                              - form.bytes);
        }
        return table;
    }();
    return forms;
}

// Transcodes [at, stop) to UTF-8 at out, copying runs of ASCII sixteen at a time, writing up to sixteen bytes past
// the output; may read one unit past stop to finish a surrogate pair. Returns where the input stopped.
const char* windows1252ToUtf8(const char* at, const char* stop, const char* end, char*& outRef)
{
    // Kept in a local: stores through char pointers would make the compiler reload it after each one.
    char* out = outRef;
    const std::array<Utf8Form, 128>& forms = windows1252Forms();
    while (stop - at >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
        const unsigned high = unsigned(_mm_movemask_epi8(block));
        if (!high) {
            at += 16;
            out += 16;
            continue;
        }
        const int ascii = quillora::lowestSetBit(high);
        at += ascii;
        out += ascii;
        const Utf8Form& form = forms[static_cast<unsigned char>(*at++) - 0x80];
        std::memcpy(out, form.bytes, 4);
        out += form.length;
    }
    while (at < stop)
        at += encodeWindows1252(out, at, end);
    outRef = out;
    return at;
}

const char16_t* utf16ToUtf8(const char16_t* at, const char16_t* stop, const char16_t* end, char*& outRef)
{
    char* out = outRef;
    const __m128i nonAsciiBits = _mm_set1_epi16(short(0xFF80));
    while (stop - at >= 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
        const __m128i zero = _mm_setzero_si128();
        const __m128i ascii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, nonAsciiBits), zero),
                                              _mm_cmpeq_epi16(_mm_and_si128(high, nonAsciiBits), zero));
        const unsigned nonAscii = ~unsigned(_mm_movemask_epi8(ascii)) & 0xFFFF;
        const int run = nonAscii ? quillora::lowestSetBit(nonAscii) : 16;
        at += run;
        out += run;
        if (nonAscii)
            at += encodeUtf16(out, at, end);
    }
    while (at < stop)
        at += encodeUtf16(out, at, end);
    outRef = out;
    return at;
}

// Splits UTF-8 bytes at spaces: whole blocks with the vector loop SplitBlocks, the last bytes one by one.
template <typename SplitBlocks>
char* splitUtf8(const char* at, const char* end, char* out, WordProgress& progress, SplitBlocks&& splitBlocks)
{
    at = splitBlocks(at, end, out, progress);
    return convertScalar(at, end, out, progress, copyByte);
}

// Input that is not UTF-8 goes through UTF-8 a few thousand units at a time, so the splitting runs on bytes
// held in the cache.
template <typename Unit, typename Transcode, typename SplitBlocks>
char* convertStaged(const Unit* at, const Unit* end, char* out, WordProgress& progress, Transcode&& transcode,
                    SplitBlocks&& splitBlocks)
{
    constexpr qsizetype pieceUnits = 8192;
    // A unit gives at most three bytes, a pair four; slack for the block stores.
    char staging[pieceUnits * 3 + 64];
    while (at < end) {
        const Unit* const stop = end - at > pieceUnits ? at + pieceUnits : end;
        char* staged = staging;
        at = transcode(at, stop, end, staged);
        out = splitUtf8(staging, staged, out, progress, splitBlocks);
    }
    return out;
}

// The table of a vector level from its UTF-8 check, its block splitter and its rule on UTF-16 text.
template <auto wholeUtf8Prefix, auto splitBlocks, auto textToLines> constexpr quillora::simd::Kernels vectorKernels()
{
    return {
        wholeUtf8Prefix,
        [](const char* at, const char* end, char* out, WordProgress& progress) {
            return splitUtf8(at, end, out, progress, splitBlocks);
        },
        [](const char* at, const char* end, char* out, WordProgress& progress) {
            return convertStaged(at, end, out, progress, windows1252ToUtf8, splitBlocks);
        },
        [](const char16_t* at, const char16_t* end, char* out, WordProgress& progress) {
            return convertStaged(at, end, out, progress, utf16ToUtf8, splitBlocks);
        },
        textToLines,
    };
}

} // namespace
