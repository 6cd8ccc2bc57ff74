// The word-per-line rule on arbitrary text: no empty line, no space, the same words in the same order; the UTF-8
// forms give the bytes of the text form.
#include "FuzzSupport.h"
#include "engine/SimdLevel.h"
#include "engine/StringToUTF8.h"
#include "engine/Utf8Check.h"
#include "engine/Windows1252.h"
#include "engine/WordsToLines.h"

#include <QStringList>

using namespace quillora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QString result = WordsToLines(text);

    fuzzing::require(!result.contains(QChar(u' ')), "no space is left");
    // Joining the words with single spaces is the text with its runs of spaces collapsed and trimmed.
    const QString collapsed = text.split(QChar(u' '), Qt::SkipEmptyParts).join(QChar(u' '));
    QString expected = collapsed;
    expected.replace(QChar(u' '), QStringLiteral("\r\n"));
    fuzzing::require(result == expected, "the words, one per line, in order");
    {
        const SimdLimit plain(SimdLevel::Scalar);
        fuzzing::require(WordsToLines(text) == result, "the vector path gives the text of the plain rule");
    }

    fuzzing::require(WordsToLinesUtf8(QStringView(text)) == StringToUTF8(result), "UTF-16 streamed form");
    if (checkUtf8(bytes).valid)
        fuzzing::require(WordsToLinesUtf8(bytes) == StringToUTF8(WordsToLines(QString::fromUtf8(bytes))),
                         "UTF-8 streamed form");
    fuzzing::require(WordsToLinesUtf8FromWindows1252(bytes) == StringToUTF8(WordsToLines(decodeWindows1252(bytes))),
                     "Windows-1252 streamed form");
    return 0;
}
