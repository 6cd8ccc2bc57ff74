// The reading rule on arbitrary bytes: never crashes, always gives text, the one pass converts as the whole reading
// does, and our own UTF-8 reads back unchanged.
#include "FuzzSupport.h"
#include "engine/ReadingRule.h"
#include "engine/StringToUTF8.h"

#include <QFile>
#include <QTemporaryDir>

using namespace quillora;

namespace {
QString readBack(const QString& path)
{
    const OrFailure<RuleReading> reading = readByRule(path, {1, 2, 3, 4, 5}, ReadingMode::Whole, localeAnsiCodePage());
    fuzzing::require(bool(reading), "a readable file always gives a text");
    return reading->text.toString();
}

// Converting while reading gives the whole reading's result, or finds the NUL byte that makes it not text.
void compareOnePass(const QString& path)
{
    const OrFailure<RuleReading> whole = readByRule(path, {1, 2, 3, 4, 5}, ReadingMode::Whole, localeAnsiCodePage());
    const OrFailure<RuleReading> once
        = readByRule(path, {1, 2, 3, 4, 5}, ReadingMode::WhileConverting, localeAnsiCodePage());
    fuzzing::require(bool(whole) && bool(once), "a readable file always gives a text");
    QByteArray converted;
    const FileText::Outcome settled = once->text.wordsToLinesUtf8UnlessNotText(
        [&converted](QByteArrayView bytes) { converted.append(bytes); }, [&converted] { converted.clear(); });
    const bool binary = !whole->hadMark && whole->text.readFindsNul();
    fuzzing::require((settled == FileText::Outcome::NotText) == binary, "the one pass finds a NUL as the rule does");
    fuzzing::require(binary || converted == whole->text.wordsToLinesUtf8(), "the one pass converts as the whole does");
}

void write(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    fuzzing::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "temporary file opens");
    file.write(bytes.data(), bytes.size());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.txt"));
    write(path, QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString text = readBack(path);
    compareOnePass(path);

    // What the program writes is UTF-8 without a mark; read again it is the same text, unless the text itself
    // begins with U+FEFF, whose UTF-8 form is the mark.
    if (!text.startsWith(QChar(0xFEFF))) {
        write(path, StringToUTF8(text));
        fuzzing::require(readBack(path) == text, "UTF-8 written by StringToUTF8 reads back unchanged");
    }
    return 0;
}
