// The rule's entry points: text held whole goes through the loops of the vector
// level in use at once, and the UTF-8 forms a chunk at a time, each handed over
// before the next is written.
#include "engine/WordsToLines.h"

#include "engine/SimdKernels.h"

namespace quillora {

namespace {

constexpr qsizetype chunkUnits = qsizetype(1) << 20;

// Feeds the input to sink chunk by chunk through two buffers used in turn.
template <typename Unit>
void convertInChunks(const Unit* at, const Unit* end, int bytesPerUnit, const Utf8Sink& sink,
                     char* (*convert)(const Unit*, const Unit*, char*, WordProgress&))
{
    // A unit gives at most bytesPerUnit bytes and a space two; 64 bytes of slack
    // for the block copies.
    const qsizetype units = qMin<qsizetype>(end - at, chunkUnits);
    const qsizetype size = units * qMax(bytesPerUnit, 2) + 64;
    LinesOutput output;
    while (at < end) {
        const Unit* stop = end - at > chunkUnits ? at + chunkUnits : end;
        // Never cut a surrogate pair.
        if constexpr (sizeof(Unit) == 2) {
            if (stop < end && stop[-1] >= 0xD800 && stop[-1] <= 0xDBFF)
                ++stop;
        }
        output.convert(convert, at, stop, size, sink);
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
    if (text.isEmpty())
        return QString();
    const qsizetype size = text.size();
    // n units give at most 1.5 n + 2 (every space becomes at most CR LF and every
    // piece holds a unit), and the vector loops write up to 16 units past the
    // end.
    QString result(size + size / 2 + 2 + 16, Qt::Uninitialized);
    result.truncate(simd::kernels().textToLines(text.utf16(), size, reinterpret_cast<char16_t*>(result.data())));
    return result;
}

void WordsToLinesUtf8(QStringView text, const Utf8Sink& sink, LineBreak lineBreak)
{
    const char16_t* in = text.utf16();
    convertInChunks(in, in + text.size(), 3, sink, simd::kernels(lineBreak).fromUtf16);
}

void WordsToLinesUtf8(QByteArrayView validUtf8, const Utf8Sink& sink, LineBreak lineBreak)
{
    convertInChunks(validUtf8.data(), validUtf8.data() + validUtf8.size(), 1, sink, simd::kernels(lineBreak).fromUtf8);
}

void WordsToLinesUtf8FromWindows1252(QByteArrayView ansi, const Utf8Sink& sink, LineBreak lineBreak)
{
    convertInChunks(ansi.data(), ansi.data() + ansi.size(), 3, sink, simd::kernels(lineBreak).fromWindows1252);
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
