// Texts left in their file and converted piece by piece give the same bytes as texts read whole, and a file that
// changes in between is not converted.
#include "engine/FileBytes.h"
#include "engine/ReadingRule.h"
#include "engine/Utf8Check.h"
#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace quillora {
namespace {

OrFailure<RuleReading> read(const QString& path, ReadingMode mode)
{
    return readByRule(path, {126, 128, 130, 132, 134}, mode, localeAnsiCodePage());
}

TEST(FileText, ConvertingFromTheFileGivesTheBytesOfTheWholeText)
{
    QTemporaryDir folder;
    // Larger than one piece, with sequences cut at piece boundaries and words running over them.
    QByteArray big;
    QRandomGenerator random(5);
    const char* const words[] = {"alpha", "caf\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "  ", "\r\n", "x"};
    while (big.size() < (3 << 20))
        big.append(words[random.bounded(7)]).append(random.bounded(4) ? " " : "");
    const QList<QByteArray> contents = {
        big,
        QByteArray("\xEF\xBB\xBF") + big,
        QByteArray("caf\xE9 \x80 na\xEFve  ") + big, // Windows-1252
        QByteArray("\xEF\xBB\xBF"
                   "a \xC0\xAF b"), // ill-formed after the mark
        QByteArray("    "),
    };
    int count = 0;
    for (const QByteArray& content : contents) {
        const QString path = folder.filePath(QStringLiteral("f%1").arg(++count));
        testing::writeFile(path, content);
        const OrFailure<RuleReading> whole = read(path, ReadingMode::Whole);
        const OrFailure<RuleReading> inFile = read(path, ReadingMode::InFile);
        ASSERT_TRUE(whole && inFile) << count;
        EXPECT_EQ(inFile->text.wordsToLinesUtf8(), whole->text.wordsToLinesUtf8()) << count;
        EXPECT_EQ(inFile->text.readFindsOnlySpaces(), whole->text.readFindsOnlySpaces()) << count;
        EXPECT_EQ(inFile->text.toString(), whole->text.toString()) << count;
    }
}

TEST(FileText, AFileWithANulByteIsFoundWithoutReadingItAll)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("binary"));
    testing::writeFile(path, QByteArray("text") + QByteArray(5 << 20, '\0'));
    const OrFailure<RuleReading> reading = read(path, ReadingMode::InFile);
    ASSERT_TRUE(reading);
    EXPECT_FALSE(reading->hadMark);
    EXPECT_TRUE(reading->text.readFindsNul());
    EXPECT_LE(scanFileBytes(path, 0, true).size, qint64(1) << 20);
}

TEST(FileText, AFileChangedBeforeItIsConvertedIsRefused)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("moving"));
    testing::writeFile(path, "one two three");
    OrFailure<RuleReading> reading = read(path, ReadingMode::InFile);
    ASSERT_TRUE(reading);
    testing::writeFile(path, "one two three four");
    EXPECT_THROW(reading->text.wordsToLinesUtf8(), Failure);
    testing::writeFile(path, "one \xE9wo three");
    EXPECT_THROW(reading->text.wordsToLinesUtf8(), Failure);
    QFile::remove(path);
    EXPECT_THROW(reading->text.wordsToLinesUtf8(), Failure);
}

// What the one pass makes of a file, with the restarts it asked for: the bytes a sink keeps when it throws away
// what it got before each restart.
struct OnePass
{
    FileText::Outcome settled;
    QByteArray converted;
    int restarts = 0;
};

OnePass convertInOnePass(const FileText& text)
{
    OnePass pass{FileText::Outcome::Converted, {}, 0};
    pass.settled = text.wordsToLinesUtf8UnlessNotText([&pass](QByteArrayView bytes) { pass.converted.append(bytes); },
                                                      [&pass] {
                                                          pass.converted.clear();
                                                          ++pass.restarts;
                                                      });
    return pass;
}

// Words over enough pieces that they are written on a second thread.
const QByteArray bigWords = QByteArray("one two ").repeated(6 << 17);

TEST(FileText, OnePassGivesTheWholeReadingsResultOrFindsTheFileIsNotText)
{
    QTemporaryDir folder;
    const QByteArray piece(filePieceBytes, 'w');
    struct Case
    {
        const char* name;
        QByteArray content;
        int restarts;
    };
    const Case cases[] = {
        {"UTF-8", "caf\xC3\xA9  \xE2\x82\xAC\r\nx ", 0},
        {"UTF-8 over pieces, a sequence cut between them", QByteArray(filePieceBytes - 1, ' ') + "\xC3\xA9 a", 0},
        {"Windows-1252", "caf\xE9 na\xEFve", 1},
        {"Windows-1252 found in a later piece", piece + " caf\xE9", 1},
        {"a sequence cut short at the end", "abc \xE2\x82", 1},
        {"marked UTF-8", "\xEF\xBB\xBFone two", 0},
        {"marked, ill-formed",
         "\xEF\xBB\xBF"
         "a \xC0\xAF b",
         1},
        {"marked, with a NUL",
         QByteArray("\xEF\xBB\xBF"
                    "a b",
                    6)
             + QByteArray(1, '\0'),
         0},
        {"NUL", QByteArray("one\0two", 7), 0},
        {"NUL in a piece after Windows-1252", "caf\xE9 " + piece + QByteArray(1, '\0'), 1},
        {"NUL in a later piece", piece + QByteArray(1, '\0'), 0},
        {"UTF-16 marked", QByteArray("\xFF\xFEh\0i\0 \0", 8), 0},
        {"UTF-16 big-endian, an odd last byte", QByteArray("\xFE\xFF\0h\0 \0i\0", 9), 0},
        {"UTF-16, unpaired surrogates", QByteArray("\xFF\xFE\x00\xD8 \0\x00\xDCx\0\x00\xD8", 12), 0},
        {"UTF-16, a pair cut between pieces",
         "\xFF\xFE" + QByteArray(" \0", 2).repeated(filePieceBytes / 2 - 1) + QByteArray("\x3D\xD8\x00\xDE a\0", 8), 0},
        {"UTF-16 or UTF-32, read whole", QByteArray("\xFF\xFE\0\0A\0B\0", 8), 0},
        {"UTF-16 written behind", "\xFE\xFF" + bigWords.repeated(2), 0},
        {"UTF-8 written behind", bigWords, 0},
        {"Windows-1252 found after pieces written behind", bigWords + " caf\xE9", 1},
        {"spaces only", "    ", 0},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        const QString path = folder.filePath(QStringLiteral("f"));
        testing::writeFile(path, c.content);
        const OrFailure<RuleReading> whole = read(path, ReadingMode::Whole);
        const OrFailure<RuleReading> once = read(path, ReadingMode::WhileConverting);
        ASSERT_TRUE(whole && once) << c.name;
        EXPECT_EQ(once->hadMark, whole->hadMark) << c.name;
        const OnePass pass = convertInOnePass(once->text);
        const bool binary = !whole->hadMark && whole->text.readFindsNul();
        EXPECT_EQ(pass.settled == FileText::Outcome::NotText, binary) << c.name;
        if (!binary) {
            EXPECT_EQ(pass.converted, whole->text.wordsToLinesUtf8()) << c.name;
        }
        EXPECT_EQ(pass.restarts, c.restarts) << c.name;
        EXPECT_EQ(once->text.toString(), whole->text.toString()) << c.name;
    }
}

TEST(FileText, OnePassRefusesAFileWhoseSizeChangesAfterItIsOpened)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("moving"));
    for (const QByteArray& before :
         {QByteArray("one two three"), QByteArray("caf\xE9 two three"), QByteArray("\xFE\xFF\0a\0 \0b")}) {
        testing::writeFile(path, before);
        const OrFailure<RuleReading> reading = read(path, ReadingMode::WhileConverting);
        ASSERT_TRUE(reading);
        testing::writeFile(path, before + " four");
        EXPECT_THROW(convertInOnePass(reading->text), Failure) << before.constData();
    }
}

TEST(FileText, AFailureOfTheSinkEndsTheOnePassWithThatFailure)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("f"));
    for (const QByteArray& content : {bigWords, QByteArray("caf\xE9 ") + bigWords, "\xFF\xFE" + bigWords}) {
        testing::writeFile(path, content);
        const OrFailure<RuleReading> reading = read(path, ReadingMode::WhileConverting);
        ASSERT_TRUE(reading);
        int calls = 0;
        int callsAtFailure = 0;
        try {
            reading->text.wordsToLinesUtf8UnlessNotText(
                [&calls](QByteArrayView) {
                    if (++calls == 3)
                        throw Failure::diskFull();
                },
                [] {});
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            callsAtFailure = calls;
            EXPECT_EQ(failure.description(), Failure::diskFull().description());
        }
        // Nothing more is written once the pass has ended.
        EXPECT_EQ(callsAtFailure, 3);
        EXPECT_EQ(calls, callsAtFailure);
    }
}

TEST(Utf8Validator, PiecesCutAnywhereGiveTheWholeAnswer)
{
    const QList<QByteArray> texts = {QByteArray("plain"),
                                     QByteArray("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"),
                                     QByteArray("\xC3"),
                                     QByteArray("\xE2\x82"),
                                     QByteArray("a\xC0\xAF"),
                                     QByteArray("\xED\xA0\x80"),
                                     QByteArray("\xF4\x90\x80\x80")};
    for (const QByteArray& text : texts) {
        const bool expected = checkUtf8(text).valid;
        for (qsizetype cut = 0; cut <= text.size(); ++cut) {
            for (qsizetype second = cut; second <= text.size(); ++second) {
                Utf8Validator validator;
                validator.feed(QByteArrayView(text).first(cut));
                validator.feed(QByteArrayView(text).sliced(cut, second - cut));
                validator.feed(QByteArrayView(text).sliced(second));
                EXPECT_EQ(validator.finish().valid, expected) << text.toHex().toStdString() << " " << cut;
            }
        }
    }
}

} // namespace
} // namespace quillora
