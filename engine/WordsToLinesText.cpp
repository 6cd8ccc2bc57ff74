// Finds the spaces of 64 units with vector compares, then copies the words between them 8 units at a time.
#include "engine/WordsToLinesText.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUILLORA_WORDS_SSE2 1
#endif

namespace quillora {

namespace {
constexpr qsizetype chunkUnits = 64;
// A word is copied in blocks of this many units, so the copy reads and writes up to this many units past it.
constexpr qsizetype copyUnits = 8;

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
    for (qsizetype done = 0; done < count; done += copyUnits)
        std::memcpy(out + done, in + done, copyUnits * sizeof(char16_t));
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
} // namespace

QString WordsToLinesText(QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0)
        return QString();
    // n units give at most 1.5 n + 2 (every space becomes at most CR LF and every piece holds a unit), and the
    // block copies write up to a block past the end.
    QString result(size + size / 2 + 2 + copyUnits, Qt::Uninitialized);
    const char16_t* const in = text.utf16();
    Writer writer(reinterpret_cast<char16_t*>(result.data()));
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
    result.truncate(writer.written());
    return result;
}

} // namespace quillora
