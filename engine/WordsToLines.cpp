// Splits at spaces in one pass, writing each non-empty piece and the CR LF between pieces; byte input is
// scanned sixteen bytes at a time where the processor allows.
#include "engine/WordsToLines.h"

#include "engine/SimdScan.h"
#include "engine/Windows1252.h"

#include <cstring>
#include <memory>

namespace quillora {

namespace {

constexpr qsizetype chunkUnits = qsizetype(1) << 20;

// Writes one code point as UTF-8.
char* putCodePoint(char* out, char32_t code)
{
    if (code < 0x80) {
        *out++ = char(code);
        return out;
    }
    if (code < 0x800) {
        *out++ = char(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        *out++ = char(0xE0 | (code >> 12));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
    } else {
        *out++ = char(0xF0 | (code >> 18));
        *out++ = char(0x80 | ((code >> 12) & 0x3F));
        *out++ = char(0x80 | ((code >> 6) & 0x3F));
    }
    *out++ = char(0x80 | (code & 0x3F));
    return out;
}

// The state of one conversion across chunks: whether anything was written, and whether a space has been seen
// since, so that the next piece starts on a new line.
struct Progress
{
    bool wroteAny = false;
    bool breakPending = false;
};

// Converts a run of units to UTF-8 at out; Encode(out, at, end) writes the unit at 'at' (or the pair starting
// there) and returns how many units it used. Returns the end of the output.
template <typename Unit, typename Encode>
char* convertScalar(const Unit* at, const Unit* end, char* out, Progress& progress, Encode&& encode)
{
    while (at < end) {
        if (*at == Unit(' ')) {
            progress.breakPending = progress.wroteAny;
            ++at;
            continue;
        }
        if (progress.breakPending) {
            *out++ = '\r';
            *out++ = '\n';
            progress.breakPending = false;
        }
        at += encode(out, at, end);
        progress.wroteAny = true;
    }
    return out;
}

qsizetype encodeUtf16(char*& out, const char16_t* at, const char16_t* end)
{
    const char16_t unit = *at;
    if (unit < 0x80) {
        *out++ = char(unit);
        return 1;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < end && at[1] >= 0xDC00 && at[1] <= 0xDFFF) {
        out = putCodePoint(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (at[1] - 0xDC00));
        return 2;
    }
    out = putCodePoint(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    return 1;
}

qsizetype copyByte(char*& out, const char* at, const char*)
{
    *out++ = *at;
    return 1;
}

qsizetype encodeWindows1252(char*& out, const char* at, const char*)
{
    const auto byte = static_cast<unsigned char>(*at);
    out = byte < 0x80 ? (*out = char(byte), out + 1) : putCodePoint(out, windows1252Character(byte));
    return 1;
}

// Byte input where every byte below 0x80 stands for itself: runs of such bytes are copied sixteen at a time;
// a block holding a byte of 0x80 or more goes through encode when expand is set.
template <typename Encode>
char* convertBytes(const char* at, const char* end, char* out, Progress& progress, bool expand, Encode&& encode)
{
#ifdef QUILLORA_SSE2
    const __m128i spaces = _mm_set1_epi8(' ');
    // Each segment is copied with a 16-byte load from its start, so stay 32 bytes short of the end.
    while (end - at >= 32) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        if (expand) {
            // Bytes up to and including the first one of 0x80 or more go through encode one by one.
            const unsigned high = unsigned(_mm_movemask_epi8(block));
            if (high != 0) {
                const char* const stop = at + lowestSetBit(high) + 1;
                out = convertScalar(at, stop, out, progress, encode);
                at = stop;
                continue;
            }
        }
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, spaces)));
        int start = 0;
        while (true) {
            const int stop = mask ? lowestSetBit(mask) : 16;
            if (stop > start) {
                if (progress.breakPending) {
                    std::memcpy(out, "\r\n", 2);
                    out += 2;
                    progress.breakPending = false;
                }
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + start)));
                out += stop - start;
                progress.wroteAny = true;
            }
            if (!mask)
                break;
            progress.breakPending = progress.wroteAny;
            mask &= mask - 1;
            start = stop + 1;
        }
        at += 16;
    }
#else
    (void)expand;
#endif
    return convertScalar(at, end, out, progress, encode);
}

// Feeds the input to sink chunk by chunk through one reused buffer.
template <typename Unit, typename ConvertChunk>
void convertInChunks(const Unit* at, const Unit* end, int bytesPerUnit, const Utf8Sink& sink,
                     ConvertChunk&& convertChunk)
{
    // A unit gives at most bytesPerUnit bytes and a space two; 64 bytes of slack for the block copies.
    const qsizetype units = qMin<qsizetype>(end - at, chunkUnits);
    const std::unique_ptr<char[]> buffer(new char[size_t(units) * size_t(qMax(bytesPerUnit, 2)) + 64]);
    Progress progress;
    while (at < end) {
        const Unit* stop = end - at > chunkUnits ? at + chunkUnits : end;
        // Never cut a surrogate pair.
        if constexpr (sizeof(Unit) == 2) {
            if (stop < end && stop[-1] >= 0xD800 && stop[-1] <= 0xDBFF)
                ++stop;
        }
        char* const written = convertChunk(at, stop, buffer.get(), progress);
        if (written != buffer.get())
            sink(QByteArrayView(buffer.get(), written - buffer.get()));
        at = stop;
    }
}

QByteArray collect(const std::function<void(const Utf8Sink&)>& produce)
{
    QByteArray result;
    produce([&result](QByteArrayView bytes) { result.append(bytes); });
    return result;
}

} // namespace

QString WordsToLines(QStringView text)
{
    QString result;
    if (text.isEmpty())
        return result;
    // n units give at most 1.5 n + 2: every space becomes at most CR LF, and every piece holds a unit.
    result.resize(text.size() + text.size() / 2 + 2);
    char16_t* const start = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = start;
    bool breakPending = false;
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        if (unit == u' ') {
            breakPending = out != start;
            continue;
        }
        if (breakPending) {
            *out++ = u'\r';
            *out++ = u'\n';
            breakPending = false;
        }
        *out++ = unit;
    }
    result.truncate(out - start);
    result.squeeze();
    return result;
}

void WordsToLinesUtf8(QStringView text, const Utf8Sink& sink)
{
    const char16_t* in = text.utf16();
    convertInChunks(in, in + text.size(), 3, sink,
                    [](const char16_t* at, const char16_t* end, char* out, Progress& progress) {
                        return convertScalar(at, end, out, progress, encodeUtf16);
                    });
}

void WordsToLinesUtf8(QByteArrayView validUtf8, const Utf8Sink& sink)
{
    convertInChunks(validUtf8.data(), validUtf8.data() + validUtf8.size(), 1, sink,
                    [](const char* at, const char* end, char* out, Progress& progress) {
                        return convertBytes(at, end, out, progress, false, copyByte);
                    });
}

void WordsToLinesUtf8FromWindows1252(QByteArrayView ansi, const Utf8Sink& sink)
{
    convertInChunks(ansi.data(), ansi.data() + ansi.size(), 3, sink,
                    [](const char* at, const char* end, char* out, Progress& progress) {
                        return convertBytes(at, end, out, progress, true, encodeWindows1252);
                    });
}

WordsToLinesStream::WordsToLinesStream(bool windows1252)
    : windows1252_(windows1252)
{ }

WordsToLinesStream::~WordsToLinesStream() = default;

void WordsToLinesStream::feed(QByteArrayView bytes, const Utf8Sink& sink)
{
    const qsizetype needed = bytes.size() * (windows1252_ ? 3 : 2) + 64;
    if (needed > capacity_) {
        buffer_.reset(new char[size_t(needed)]);
        capacity_ = needed;
    }
    Progress progress{wroteAny_, breakPending_};
    char* const written = windows1252_
        ? convertBytes(bytes.data(), bytes.data() + bytes.size(), buffer_.get(), progress, true, encodeWindows1252)
        : convertBytes(bytes.data(), bytes.data() + bytes.size(), buffer_.get(), progress, false, copyByte);
    wroteAny_ = progress.wroteAny;
    breakPending_ = progress.breakPending;
    if (written != buffer_.get())
        sink(QByteArrayView(buffer_.get(), written - buffer_.get()));
}

QByteArray WordsToLinesUtf8(QStringView text)
{
    return collect([text](const Utf8Sink& sink) { WordsToLinesUtf8(text, sink); });
}

QByteArray WordsToLinesUtf8(QByteArrayView validUtf8)
{
    return collect([validUtf8](const Utf8Sink& sink) { WordsToLinesUtf8(validUtf8, sink); });
}

QByteArray WordsToLinesUtf8FromWindows1252(QByteArrayView ansi)
{
    return collect([ansi](const Utf8Sink& sink) { WordsToLinesUtf8FromWindows1252(ansi, sink); });
}

} // namespace quillora
