// Splits at spaces in one pass, writing each non-empty piece and the CR LF between pieces; UTF-8 is split a
// vector block at a time where the processor allows, and other input is first turned into UTF-8 in small pieces.
#include "engine/WordsToLines.h"

#include "engine/SimdKernels.h"
#include "engine/SimdLevel.h"
#include "engine/SimdScan.h"
#include "engine/Windows1252.h"

#include <array>
#include <cstring>
#include <memory>
#include <utility>

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

using Progress = simd::WordProgress;

// Converts a run of units to UTF-8 at out; Encode(out, at, end) writes the unit at 'at' (or the pair starting
// there) and returns how many units it used. Returns the end of the output.
template <LineBreak lineBreak = LineBreak::CrLf, typename Unit, typename Encode>
char* convertScalar(const Unit* at, const Unit* end, char* out, Progress& progress, Encode&& encode)
{
    while (at < end) {
        if (*at == Unit(' ')) {
            progress.breakPending = progress.wroteAny;
            ++at;
            continue;
        }
        if (progress.breakPending) {
            if constexpr (lineBreak == LineBreak::CrLf)
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

// Splits UTF-8 bytes at spaces: whole blocks with the vector loop, the last bytes one by one.
char* splitUtf8(const char* at, const char* end, char* out, Progress& progress, SimdLevel level)
{
#if defined(__x86_64__) || defined(_M_X64)
    switch (level) {
    case SimdLevel::Avx2:
        at = simd::splitWordsAvx2(at, end, out, progress);
        break;
    case SimdLevel::Sse2:
        at = simd::splitWordsSse2(at, end, out, progress);
        break;
    case SimdLevel::Scalar:
        break;
    }
#else
    (void)level;
#endif
    return convertScalar(at, end, out, progress, copyByte);
}

#ifdef QUILLORA_SSE2
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
            form.length
                = int(putCodePoint(form.bytes, windows1252Character(static_cast<unsigned char>(byte))) - form.bytes);
        }
        return table;
    }();
    return forms;
}
#endif

// Transcodes [at, stop) to UTF-8 at out, copying runs of ASCII sixteen at a time, writing up to sixteen bytes past
// the output; may read one unit past stop to finish a surrogate pair. Returns where the input stopped.
const char* windows1252ToUtf8(const char* at, const char* stop, const char* end, char*& outRef)
{
    // Kept in a local: stores through char pointers would make the compiler reload it after each one.
    char* out = outRef;
#ifdef QUILLORA_SSE2
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
        const int ascii = lowestSetBit(high);
        at += ascii;
        out += ascii;
        const Utf8Form& form = forms[static_cast<unsigned char>(*at++) - 0x80];
        std::memcpy(out, form.bytes, 4);
        out += form.length;
    }
#endif
    while (at < stop)
        at += encodeWindows1252(out, at, end);
    outRef = out;
    return at;
}

const char16_t* utf16ToUtf8(const char16_t* at, const char16_t* stop, const char16_t* end, char*& outRef)
{
    char* out = outRef;
#ifdef QUILLORA_SSE2
    const __m128i nonAsciiBits = _mm_set1_epi16(short(0xFF80));
    while (stop - at >= 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
        const __m128i zero = _mm_setzero_si128();
        const __m128i ascii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, nonAsciiBits), zero),
                                              _mm_cmpeq_epi16(_mm_and_si128(high, nonAsciiBits), zero));
        const unsigned nonAscii = ~unsigned(_mm_movemask_epi8(ascii)) & 0xFFFF;
        const int run = nonAscii ? lowestSetBit(nonAscii) : 16;
        at += run;
        out += run;
        if (nonAscii)
            at += encodeUtf16(out, at, end);
    }
#endif
    while (at < stop)
        at += encodeUtf16(out, at, end);
    outRef = out;
    return at;
}

// Input that is not UTF-8 goes through UTF-8 a few thousand units at a time, so the splitting runs on bytes
// held in the cache.
template <typename Unit, typename Transcode>
char* convertStaged(const Unit* at, const Unit* end, char* out, Progress& progress, SimdLevel level,
                    Transcode&& transcode)
{
    constexpr qsizetype pieceUnits = 8192;
    // A unit gives at most three bytes, a pair four; slack for the block stores.
    char staging[pieceUnits * 3 + 64];
    while (at < end) {
        const Unit* const stop = end - at > pieceUnits ? at + pieceUnits : end;
        char* staged = staging;
        at = transcode(at, stop, end, staged);
        out = splitUtf8(staging, staged, out, progress, level);
    }
    return out;
}

// Lines joined by LF alone take the scalar path, so that the vector loops stay as they are for CR LF.
char* convertWindows1252(const char* at, const char* end, char* out, Progress& progress, LineBreak lineBreak)
{
    if (lineBreak == LineBreak::Lf)
        return convertScalar<LineBreak::Lf>(at, end, out, progress, encodeWindows1252);
    const SimdLevel level = simdLevel();
    if (level == SimdLevel::Scalar)
        return convertScalar(at, end, out, progress, encodeWindows1252);
    return convertStaged(at, end, out, progress, level, windows1252ToUtf8);
}

char* convertUtf16(const char16_t* at, const char16_t* end, char* out, Progress& progress, LineBreak lineBreak)
{
    if (lineBreak == LineBreak::Lf)
        return convertScalar<LineBreak::Lf>(at, end, out, progress, encodeUtf16);
    const SimdLevel level = simdLevel();
    if (level == SimdLevel::Scalar)
        return convertScalar(at, end, out, progress, encodeUtf16);
    return convertStaged(at, end, out, progress, level, utf16ToUtf8);
}

char* convertUtf8(const char* at, const char* end, char* out, Progress& progress, LineBreak lineBreak)
{
    if (lineBreak == LineBreak::Lf)
        return convertScalar<LineBreak::Lf>(at, end, out, progress, copyByte);
    return splitUtf8(at, end, out, progress, simdLevel());
}

// Feeds the input to sink chunk by chunk through two buffers used in turn.
template <typename Unit, typename ConvertChunk>
void convertInChunks(const Unit* at, const Unit* end, int bytesPerUnit, const Utf8Sink& sink,
                     ConvertChunk&& convertChunk)
{
    // A unit gives at most bytesPerUnit bytes and a space two; 64 bytes of slack for the block copies.
    const qsizetype units = qMin<qsizetype>(end - at, chunkUnits);
    const qsizetype size = units * qMax(bytesPerUnit, 2) + 64;
    AlternateBuffers buffers;
    Progress progress;
    while (at < end) {
        const Unit* stop = end - at > chunkUnits ? at + chunkUnits : end;
        // Never cut a surrogate pair.
        if constexpr (sizeof(Unit) == 2) {
            if (stop < end && stop[-1] >= 0xD800 && stop[-1] <= 0xDBFF)
                ++stop;
        }
        char* const buffer = buffers.next(size);
        char* const written = convertChunk(at, stop, buffer, progress);
        if (written != buffer)
            sink(QByteArrayView(buffer, written - buffer));
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

void WordsToLinesUtf8(QStringView text, const Utf8Sink& sink, LineBreak lineBreak)
{
    const char16_t* in = text.utf16();
    convertInChunks(in, in + text.size(), 3, sink,
                    [lineBreak](auto&&... chunk) { return convertUtf16(chunk..., lineBreak); });
}

void WordsToLinesUtf8(QByteArrayView validUtf8, const Utf8Sink& sink, LineBreak lineBreak)
{
    convertInChunks(validUtf8.data(), validUtf8.data() + validUtf8.size(), 1, sink,
                    [lineBreak](auto&&... chunk) { return convertUtf8(chunk..., lineBreak); });
}

void WordsToLinesUtf8FromWindows1252(QByteArrayView ansi, const Utf8Sink& sink, LineBreak lineBreak)
{
    convertInChunks(ansi.data(), ansi.data() + ansi.size(), 3, sink,
                    [lineBreak](auto&&... chunk) { return convertWindows1252(chunk..., lineBreak); });
}

WordsToLinesStream::WordsToLinesStream(bool windows1252, LineBreak lineBreak)
    : windows1252_(windows1252)
    , lineBreak_(lineBreak)
{ }

WordsToLinesStream::~WordsToLinesStream() = default;

void WordsToLinesStream::feed(QByteArrayView bytes, const Utf8Sink& sink)
{
    char* const buffer = buffers_.next(bytes.size() * (windows1252_ ? 3 : 2) + 64);
    Progress progress{wroteAny_, breakPending_};
    const char* const end = bytes.data() + bytes.size();
    char* const written = windows1252_ ? convertWindows1252(bytes.data(), end, buffer, progress, lineBreak_)
                                       : convertUtf8(bytes.data(), end, buffer, progress, lineBreak_);
    wroteAny_ = progress.wroteAny;
    breakPending_ = progress.breakPending;
    if (written != buffer)
        sink(QByteArrayView(buffer, written - buffer));
}

char* AlternateBuffers::next(qsizetype size)
{
    current_ = 1 - current_;
    if (size > capacities_[current_]) {
        buffers_[current_].reset(new char[size_t(size)]);
        capacities_[current_] = size;
    }
    return buffers_[current_].get();
}

Utf16WordsToLinesStream::Utf16WordsToLinesStream(bool bigEndian, LineBreak lineBreak)
    : bigEndian_(bigEndian)
    , lineBreak_(lineBreak)
{ }

Utf16WordsToLinesStream::~Utf16WordsToLinesStream() = default;

void Utf16WordsToLinesStream::feed(QByteArrayView bytes, const Utf8Sink& sink)
{
    // Room for the units of bytes, a unit finished from the last piece and a surrogate held back from it.
    const qsizetype needed = bytes.size() / 2 + 2;
    if (needed > unitCapacity_) {
        units_.reset(new char16_t[size_t(needed)]);
        unitCapacity_ = needed;
    }
    const auto unitOf = [this](char first, char second) {
        const auto a = static_cast<unsigned char>(first);
        const auto b = static_cast<unsigned char>(second);
        return char16_t(bigEndian_ ? (a << 8) | b : (b << 8) | a);
    };
    char16_t* const units = units_.get();
    qsizetype count = 0;
    if (highSurrogate_)
        units[count++] = *std::exchange(highSurrogate_, std::nullopt);
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    if (oddByte_ && at < end)
        units[count++] = unitOf(*std::exchange(oddByte_, std::nullopt), *at++);
    const qsizetype whole = (end - at) / 2;
    if (!bigEndian_ && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        std::memcpy(units + count, at, size_t(whole) * 2);
    } else {
        for (qsizetype i = 0; i < whole; ++i)
            units[count + i] = unitOf(at[2 * i], at[2 * i + 1]);
    }
    count += whole;
    at += 2 * whole;
    if (at < end)
        oddByte_ = *at;
    if (count > 0 && units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF)
        highSurrogate_ = units[--count];
    convert(units, count, sink);
}

void Utf16WordsToLinesStream::finish(const Utf8Sink& sink)
{
    // A surrogate held back now has no partner: it converts to U+FFFD as it stands, and so does an odd last byte.
    char16_t rest[2];
    qsizetype count = 0;
    if (highSurrogate_)
        rest[count++] = *std::exchange(highSurrogate_, std::nullopt);
    if (std::exchange(oddByte_, std::nullopt))
        rest[count++] = 0xFFFD;
    convert(rest, count, sink);
}

void Utf16WordsToLinesStream::convert(const char16_t* units, qsizetype count, const Utf8Sink& sink)
{
    if (count == 0)
        return;
    char* const buffer = buffers_.next(count * 3 + 64);
    Progress progress{wroteAny_, breakPending_};
    char* const written = convertUtf16(units, units + count, buffer, progress, lineBreak_);
    wroteAny_ = progress.wroteAny;
    breakPending_ = progress.breakPending;
    if (written != buffer)
        sink(QByteArrayView(buffer, written - buffer));
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
