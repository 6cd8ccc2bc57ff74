// Where the processor has AVX2 (and so can shuffle bytes), 8 units at a time become up to 16 (each lone space
// CR LF) with one table look-up; elsewhere the spaces of 64 units are found with vector compares and the words
// copied between them.
#include "engine/WordsToLinesText.h"

#include "engine/SimdLevel.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define QUILLORA_WORDS_SSSE3 1
#endif

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUILLORA_WORDS_SSE2 1
#endif

namespace quillora {

namespace {
constexpr qsizetype chunkUnits = 64;
// A word is copied in blocks of this many units, so the copy reads and writes up to this many units past it; most
// words fit one block, which keeps the copy free of branches that depend on the word's length.
constexpr qsizetype copyUnits = 16;

// Bit i is set when units[i] is a space.
std::uint64_t spaceMask(const char16_t* units)
{
#ifdef QUILLORA_WORDS_SSE2
    const __m128i space = _mm_set1_epi16(0x20);
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
        const auto* at = reinterpret_cast<const __m128i*>(units + part * 16);
        const __m128i low = _mm_cmpeq_epi16(_mm_loadu_si128(at), space);
        const __m128i high = _mm_cmpeq_epi16(_mm_loadu_si128(at + 1), space);
        const auto bits = std::uint32_t(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
        mask |= std::uint64_t(bits) << (part * 16);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int i = 0; i < chunkUnits; ++i)
        mask |= std::uint64_t(units[i] == u' ') << i;
    return mask;
#endif
}

// Copies count units in whole blocks: up to copyUnits - 1 units past both ends are read and written.
void copyWord(char16_t* out, const char16_t* in, qsizetype count)
{
    qsizetype done = 0;
    do {
        std::memcpy(out + done, in + done, copyUnits * sizeof(char16_t));
        done += copyUnits;
    } while (done < count);
}

class Writer
{
public:
    explicit Writer(char16_t* out)
        : start_(out)
        , out_(out)
    { }

    void space() { breakPending_ = out_ != start_; }

    void word(const char16_t* in, qsizetype count, bool blocks)
    {
        if (breakPending_) {
            *out_++ = u'\r';
            *out_++ = u'\n';
            breakPending_ = false;
        }
        if (blocks)
            copyWord(out_, in, count);
        else
            std::memcpy(out_, in, size_t(count) * sizeof(char16_t));
        out_ += count;
    }

    qsizetype written() const { return out_ - start_; }

private:
    char16_t* const start_;
    char16_t* out_;
    bool breakPending_ = false;
};

// The words and spaces of one chunk of 64 units; a word running on past the chunk is copied whole from here.
qsizetype convertChunk(const char16_t* in, qsizetype at, std::uint64_t spaces, Writer& writer, qsizetype size)
{
    qsizetype index = 0;
    while (index < chunkUnits) {
        const std::uint64_t rest = spaces >> index;
        if (rest & 1u) {
            const std::uint64_t words = ~rest;
            writer.space();
            if (words == 0)
                return at + chunkUnits;
            index += std::countr_zero(words);
            continue;
        }
        // A word: up to the next space, which may lie in a later chunk.
        qsizetype end;
        if (rest != 0) {
            end = at + index + std::countr_zero(rest);
        } else {
            end = at + chunkUnits;
            while (end < size && in[end] != u' ')
                ++end;
        }
        const qsizetype begin = at + index;
        writer.word(in + begin, end - begin, end + copyUnits <= size);
        if (end >= at + chunkUnits)
            return end;
        index = end - at;
    }
    return at + chunkUnits;
}

qsizetype convertByChunks(const char16_t* in, qsizetype size, char16_t* out)
{
    Writer writer(out);
    qsizetype at = 0;
    while (at + chunkUnits <= size) {
        const qsizetype next = convertChunk(in, at, spaceMask(in + at), writer, size);
        at = next;
    }
    // The last units, fewer than a chunk, one at a time.
    while (at < size) {
        if (in[at] == u' ') {
            writer.space();
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < size && in[end] != u' ')
            ++end;
        writer.word(in + at, end - at, false);
        at = end;
    }
    return writer.written();
}

#ifdef QUILLORA_WORDS_SSSE3
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

__attribute__((target("ssse3"))) qsizetype convertByShuffles(const char16_t* in, qsizetype size, char16_t* out)
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
#endif
} // namespace

QString WordsToLinesText(QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0)
        return QString();
    // n units give at most 1.5 n + 2 (every space becomes at most CR LF and every piece holds a unit), and the
    // block copies and shuffles write up to 16 units past the end.
    QString result(size + size / 2 + 2 + copyUnits, Qt::Uninitialized);
    char16_t* const out = reinterpret_cast<char16_t*>(result.data());
#ifdef QUILLORA_WORDS_SSSE3
    // Every processor with AVX2 can shuffle bytes; a lower level set for a test takes the other path.
    if (simdLevel() == SimdLevel::Avx2) {
        result.truncate(convertByShuffles(text.utf16(), size, out));
        return result;
    }
#endif
    result.truncate(convertByChunks(text.utf16(), size, out));
    return result;
}

} // namespace quillora
