// The vector paths of the UTF-8 check and of the word-per-line rule answer exactly as the byte-by-byte path does,
// and UTF-16 converted in pieces as it does read whole.
#include "FuzzSupport.h"
#include "engine/SimdLevel.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8Check.h"
#include "engine/WordsToLines.h"
#include "engine/WordsToLinesStream.h"

#include <cstring>

using namespace quillora;

namespace {

// Every answer of the check and every converted form, end to end, with the input fed in two pieces cut at cut.
QByteArray answers(QByteArrayView bytes, qsizetype cut)
{
    const Utf8Check whole = checkUtf8(bytes);
    Utf8Check prefix;
    const qsizetype checked = checkUtf8Prefix(bytes, prefix);
    Utf8Validator validator;
    validator.feed(bytes.first(cut));
    validator.feed(bytes.sliced(cut));
    QByteArray result = QByteArray::number(checked) + char('0' + whole.valid) + char('0' + whole.hasMultibyte)
        + char('0' + prefix.valid) + char('0' + validator.finish().valid) + '|';
    if (whole.valid)
        result += WordsToLinesUtf8(bytes) + '|';
    result += WordsToLinesUtf8FromWindows1252(bytes) + '|';
    // The same bytes as UTF-16 units, copied so that the units are aligned wherever the bytes begin.
    QString units(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(units.data(), bytes.data(), size_t(units.size()) * 2);
    result += WordsToLinesUtf8(QStringView(units)) + '|' + WordsToLines(units).toUtf8() + '|';
    WordsToLinesStream stream(!whole.valid);
    const Utf8Sink append = [&result](QByteArrayView piece) { result.append(piece); };
    stream.feed(bytes.first(cut), append);
    stream.feed(bytes.sliced(cut), append);
    for (const bool bigEndian : {false, true}) {
        Utf16WordsToLinesStream unitStream(bigEndian);
        result += '|';
        unitStream.feed(bytes.first(cut), append);
        unitStream.feed(bytes.sliced(cut), append);
        unitStream.finish(append);
    }
    return result;
}

// UTF-16 fed in pieces gives the bytes of the text decoded whole.
QByteArray utf16Whole(QByteArrayView bytes)
{
    return '|' + WordsToLinesUtf8(decodeUtf16(bytes, false)) + '|' + WordsToLinesUtf8(decodeUtf16(bytes, true));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte says where the second piece starts; the rest is the text.
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const qsizetype cut = qsizetype(data[0]) % (bytes.size() + 1);
    QByteArray expected;
    {
        const SimdLimit scalar(SimdLevel::Scalar);
        expected = answers(bytes, cut);
    }
    fuzzing::require(expected.endsWith(utf16Whole(bytes)), "UTF-16 in pieces converts as UTF-16 read whole");
    for (const SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2}) {
        if (level > processorSimdLevel())
            continue;
        const SimdLimit limit(level);
        fuzzing::require(answers(bytes, cut) == expected, "a vector path answers as the byte-by-byte path does");
    }
    return 0;
}
