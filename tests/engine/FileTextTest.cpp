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
    return readByRule(path, {126, 128, 130, 132, 134}, mode);
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
        EXPECT_EQ(inFile->text.convertsToEmpty(), whole->text.convertsToEmpty()) << count;
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
    EXPECT_TRUE(reading->text.containsNul());
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
