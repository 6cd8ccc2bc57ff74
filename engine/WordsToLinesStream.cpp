// Each piece goes through the loops of the vector level in use; UTF-16 is first put together into whole units.
#include "engine/WordsToLinesStream.h"

#include "engine/SimdKernels.h"

#include <cstring>
#include <utility>

namespace quillora {

WordsToLinesStream::WordsToLinesStream(bool windows1252, LineBreak lineBreak)
    : windows1252_(windows1252)
    , lineBreak_(lineBreak)
{ }

WordsToLinesStream::~WordsToLinesStream() = default;

void WordsToLinesStream::feed(QByteArrayView bytes, const Utf8Sink& sink)
{
    const simd::Kernels& kernels = simd::kernels(lineBreak_);
    output_.convert(windows1252_ ? kernels.fromWindows1252 : kernels.fromUtf8, bytes.data(),
                    bytes.data() + bytes.size(), bytes.size() * (windows1252_ ? 3 : 2) + 64, sink);
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
    if (count > 0)
        output_.convert(simd::kernels(lineBreak_).fromUtf16, units, units + count, count * 3 + 64, sink);
}

} // namespace quillora
