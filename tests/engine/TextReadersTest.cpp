// Reading files by their first bytes: every mark, files without a mark, and files that cannot be read.
#include "engine/TextReaders.h"

#include "engine/ReadingRule.h"
#include "platform/ErrorReport.h"
#include "platform/NativeFileFacts.h"
#include "platform/testing/ScriptedMessageBoxes.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

namespace quillora {
namespace {

using testing::ScriptedMessageBoxes;

class TextReaders : public ::testing::Test
{
protected:
    QString file(const QByteArray& bytes)
    {
        const QString path = folder.filePath(QStringLiteral("f%1.txt").arg(++count));
        testing::writeFile(path, bytes);
        return path;
    }

    // Reads path by the rule and reports a failure, as a window does; nothing when the file could not be read.
    std::optional<QString> read(const QString& path)
    {
        const OrFailure<RuleReading> reading
            = readByRule(path, {112, 114, 116, 118, 120}, ReadingMode::Whole, localeAnsiCodePage(), *facts);
        if (!reading) {
            report(reading.failure());
            return std::nullopt;
        }
        return reading->text.toString();
    }

    void report(const StepFailure& failure)
    {
        ErrorReport(boxes, ErrorReport::programOrigin(QStringLiteral("Test.Read"))).report(failure);
    }

    QTemporaryDir folder;
    ScriptedMessageBoxes boxes;
    NativeFileFacts nativeFacts;
    // The file facts the reader asks; a test may point it at its own.
    FileFacts* facts = &nativeFacts;
    int count = 0;
};

TEST_F(TextReaders, FileHasBOMRecognisesTheFiveMarksInOrder)
{
    const std::pair<QByteArray, ByteOrderMark> marks[] = {
        {QByteArray("\xFF\xFE\x00\x00", 4), ByteOrderMark::Unicode},
        {QByteArray("\x00\x00\xFE\xFF", 4), ByteOrderMark::Unicode},
        {QByteArray("\xEF\xBB\xBF"), ByteOrderMark::Utf8},
        {QByteArray("\xFF\xFE"), ByteOrderMark::Unicode},
        {QByteArray("\xFE\xFF"), ByteOrderMark::Unicode},
        {QByteArray("\xEF\xBB"), ByteOrderMark::None},
        {QByteArray("\xFF"), ByteOrderMark::None},
        {QByteArray(), ByteOrderMark::None},
        {QByteArray("\x00\x00\xFE", 3), ByteOrderMark::None},
    };
    for (const auto& [bytes, mark] : marks)
        EXPECT_EQ(FileHasBOM(file(bytes)), mark) << bytes.toHex().toStdString();
}

TEST_F(TextReaders, DecodesEachMarkInItsOwnByteOrderAndWidth)
{
    const QString text = QString::fromUtf16(u"h\u00E9 \u20AC\r\n\U0001F600");
    QByteArray utf16le("\xFF\xFE");
    QByteArray utf16be("\xFE\xFF");
    QByteArray utf32le("\xFF\xFE\x00\x00", 4);
    QByteArray utf32be("\x00\x00\xFE\xFF", 4);
    for (QChar unit : text) {
        utf16le.append(char(unit.unicode() & 0xFF)).append(char(unit.unicode() >> 8));
        utf16be.append(char(unit.unicode() >> 8)).append(char(unit.unicode() & 0xFF));
    }
    for (char32_t code : text.toUcs4()) {
        for (int i = 0; i < 4; ++i)
            utf32le.append(char((code >> (8 * i)) & 0xFF));
        for (int i = 3; i >= 0; --i)
            utf32be.append(char((code >> (8 * i)) & 0xFF));
    }
    EXPECT_EQ(read(file(QByteArray("\xEF\xBB\xBF") + text.toUtf8())), text);
    EXPECT_EQ(read(file(utf16le)), text);
    EXPECT_EQ(read(file(utf16be)), text);
    EXPECT_EQ(read(file(utf32le)), text);
    EXPECT_EQ(read(file(utf32be)), text);
    // Told there is no mark, the UTF-8 reader keeps the first bytes.
    EXPECT_EQ(ReadFileToStringUTF(file(text.toUtf8()), ByteOrderMark::None)->toString(), text);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TextReaders, UTF16StartingWithNulIsNotTakenForUTF32)
{
    // FF FE 00 00 41 00 42 00: U+0000, A, B in UTF-16; as UTF-32 the rest would be 0x00420041, past U+10FFFF.
    EXPECT_EQ(read(file(QByteArray("\xFF\xFE\x00\x00\x41\x00\x42\x00", 8))), QString::fromUtf16(u"\0AB", 3));
    // A whole number of valid UTF-32 code points is UTF-32.
    EXPECT_EQ(read(file(QByteArray("\xFF\xFE\x00\x00\x41\x00\x00\x00", 8))), QStringLiteral("A"));
    EXPECT_EQ(read(file(QByteArray("\xFF\xFE", 2))), QString());
}

TEST_F(TextReaders, IllFormedUnicodeBecomesReplacementCharacters)
{
    const QString replacement(QChar(0xFFFD));
    // Odd final byte, unpaired high and low surrogates.
    EXPECT_EQ(read(file(QByteArray("\xFF\xFE"
                                   "A\x00"
                                   "B",
                                   5))),
              QStringLiteral("A") + replacement);
    EXPECT_EQ(read(file(QByteArray("\xFF\xFE\x00\xD8"
                                   "A\x00",
                                   6))),
              replacement + QStringLiteral("A"));
    EXPECT_EQ(read(file(QByteArray("\xFE\xFF\xDC\x00\x00"
                                   "A",
                                   6))),
              replacement + QStringLiteral("A"));
    // UTF-8 after a mark: overlong form and an encoded surrogate.
    const std::optional<QString> utf8 = read(file(QByteArray("\xEF\xBB\xBF"
                                                             "a\xC0\xAF"
                                                             "b\xED\xA0\x80")));
    ASSERT_TRUE(utf8);
    EXPECT_TRUE(utf8->startsWith(QStringLiteral("a") + replacement));
    EXPECT_FALSE(utf8->contains(QChar(0xD800)));
    EXPECT_FALSE(utf8->contains(QChar(u'/')));
}

TEST_F(TextReaders, FilesWithoutMarkAreUTF8WhenValidElseWindows1252)
{
    // Valid UTF-8 with multi-byte sequences is read as UTF-8, not as ANSI.
    EXPECT_EQ(read(file("caf\xC3\xA9 \xE2\x82\xAC")), QString::fromUtf16(u"caf\u00E9 \u20AC"));
    // Not valid UTF-8: Windows-1252, its undefined bytes kept as the same C1 codes.
    EXPECT_EQ(read(file("caf\xE9 \x80 \x81\x8D\x8F\x90\x9D \x9F")),
              QString::fromUtf16(u"caf\u00E9 \u20AC \u0081\u008D\u008F\u0090\u009D \u0178"));
    // Overlong forms and encoded surrogates are not UTF-8.
    EXPECT_EQ(read(file("\xC0\xAF")), QString::fromUtf16(u"\u00C0\u00AF"));
    EXPECT_EQ(read(file("\xED\xA0\x80")), QString::fromUtf16(u"\u00ED\u00A0\u20AC"));
    // Line breaks come back as they are.
    EXPECT_EQ(read(file("a\r\nb\rc\nd")), QStringLiteral("a\r\nb\rc\nd"));
}

TEST_F(TextReaders, ZeroLengthAndStrayMarkBytesReadAsPlainText)
{
    EXPECT_EQ(read(file(QByteArray())), QString());
    // FF or FE that is not a mark is an ordinary ANSI byte, not the start of raw UTF-16.
    EXPECT_EQ(read(file("\xFF")), QString::fromUtf16(u"\u00FF"));
    EXPECT_EQ(read(file("\xFF"
                        "AB")),
              QString::fromUtf16(u"\u00FF"
                                 "AB"));
    EXPECT_EQ(read(file("\xFE"
                        "x")),
              QString::fromUtf16(u"\u00FE"
                                 "x"));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TextReaders, FileThatCannotBeReadGivesOneErrorBoxAndNoText)
{
    const QString missing = folder.filePath(QStringLiteral("missing.txt"));
    EXPECT_FALSE(read(missing));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().text,
              QStringLiteral("File not found\r\nin Quillora2021/08/31.Test.Read at line 112\r\r"
                             "Please email screenshot of this message to support@corvanta.example"));

    boxes.clear();
    EXPECT_FALSE(read(folder.path()));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().first().text.startsWith(QStringLiteral("Permission denied\r\n")));

    // ReadFileToString alone gives the empty text for a path that does not exist.
    const OrFailure<FileText> alone = ReadFileToString(missing, ReadingMode::Whole, localeAnsiCodePage(), nativeFacts);
    ASSERT_TRUE(alone);
    EXPECT_TRUE(alone->isEmpty());
}

// File facts that remove the file as soon as the reader asks whether it exists.
class RemovingFacts : public NativeFileFacts
{
public:
    bool dateTimeReadable(const QString& path) override
    {
        QFile::remove(path);
        return true;
    }
};

TEST_F(TextReaders, FileGoneAfterTheMarkTestIsReportedAtTheCallersReadingLine)
{
    RemovingFacts removing;
    facts = &removing;
    EXPECT_FALSE(read(file("no mark")));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().first().text.startsWith(
        QStringLiteral("File not found\r\nin Quillora2021/08/31.Test.Read at line 120\r\r")));
}

TEST_F(TextReaders, UnreadableFileIsReportedByTheRule)
{
    QUILLORA_SKIP_AS_ROOT();
    const QString path = file("secret");
    QFile::setPermissions(path, QFileDevice::Permissions());
    EXPECT_FALSE(read(path));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().first().text.startsWith(QStringLiteral("Permission denied\r\n")));
}

TEST_F(TextReaders, ReadersReportTheirOwnFailuresUnderTheirLabels)
{
    const QString missing = folder.filePath(QStringLiteral("gone.txt"));
    for (const OrFailure<FileText>& text :
         {ReadFileToStringUTF(missing, ByteOrderMark::Utf8), ReadFileToStringUnicode(missing)}) {
        ASSERT_FALSE(text);
        report(text.failure());
    }
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_TRUE(
        boxes.shown()[0].text.contains(QStringLiteral("in Quillora2021/08/31.UTF8.ReadFileToStringUTF at line 106")));
    EXPECT_TRUE(boxes.shown()[1].text.contains(
        QStringLiteral("in Quillora2021/08/31.UTF8.ReadFileToStringUnicode at line 102")));
    EXPECT_EQ(boxes.shown()[0].icon, MessageIcon::Exclamation);
}

} // namespace
} // namespace quillora
