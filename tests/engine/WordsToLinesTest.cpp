// The word-per-line rule, and its UTF-8 forms that must give the same bytes.
#include "engine/WordsToLines.h"

#include "engine/StringToUTF8.h"
#include "engine/Windows1252.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>

namespace quillora {
namespace {

struct Case
{
    const char16_t* input;
    const char16_t* expected;
};

TEST(WordsToLines, CutsOnlyAtSpacesAndDropsEmptyPieces)
{
    const Case cases[] = {
        {u"", u""},
        {u"     ", u""},
        {u"word", u"word"},
        {u"one two  three four", u"one\r\ntwo\r\nthree\r\nfour"},
        {u" lead and trail ", u"lead\r\nand\r\ntrail"},
        // Existing line breaks stay inside their piece.
        {u"a b\r\nc d", u"a\r\nb\r\nc\r\nd"},
        {u"first \r\nsecond", u"first\r\n\r\nsecond"},
        // Tab, no-break space and the ideographic space are ordinary characters.
        {u"a\tb c", u"a\tb\r\nc"},
        {u"a\u00A0b\u3000c d", u"a\u00A0b\u3000c\r\nd"},
        {u"\U0001F600 \U0001F601", u"\U0001F600\r\n\U0001F601"},
    };
    for (const Case& c : cases) {
        const QString input = QString::fromUtf16(c.input);
        EXPECT_EQ(WordsToLines(input), QString::fromUtf16(c.expected)) << input.toStdString();
    }
}

TEST(WordsToLines, HasNoLimitOnThePieces)
{
    QString input;
    for (int i = 0; i < 40000; ++i)
        input += QStringLiteral("w ");
    const QString result = WordsToLines(input);
    EXPECT_EQ(result.count(QStringLiteral("\r\n")), 39999);
    EXPECT_FALSE(result.endsWith(QStringLiteral("\r\n")));
}

TEST(WordsToLines, Utf8FormsGiveTheBytesOfTheTextForm)
{
    // Random texts over an alphabet rich in spaces, line breaks and characters beyond ASCII, some long enough to be
    // converted in several chunks.
    const char16_t alphabet[] = u"  ab\r\n\t\u00E9\u20AC\u00A0";
    QRandomGenerator random(7);
    for (int round = 0; round < 60; ++round) {
        const int length = round < 50 ? int(random.bounded(200)) : int(random.bounded(3'000'000));
        QString text(length, Qt::Uninitialized);
        for (QChar& character : text)
            character = QChar(alphabet[random.bounded(int(std::size(alphabet) - 1))]);
        if (round % 7 == 0 && length > 2)
            text[length / 2] = QChar(u'x');
        const QByteArray expected = StringToUTF8(WordsToLines(text));
        EXPECT_EQ(WordsToLinesUtf8(QStringView(text)), expected) << "round " << round;
        EXPECT_EQ(WordsToLinesUtf8(QByteArrayView(text.toUtf8())), expected) << "round " << round;
    }
}

TEST(WordsToLines, Windows1252FormGivesTheBytesOfTheDecodedText)
{
    QRandomGenerator random(11);
    for (int round = 0; round < 40; ++round) {
        QByteArray bytes(int(random.bounded(400)), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = random.bounded(3) == 0 ? ' ' : char(random.bounded(256));
        EXPECT_EQ(WordsToLinesUtf8FromWindows1252(bytes), StringToUTF8(WordsToLines(decodeWindows1252(bytes))))
            << "round " << round;
    }
}

TEST(WordsToLines, SurrogatePairsAndLoneSurrogatesInTheUtf8Form)
{
    const char16_t units[] = {0xD83D, 0xDE00, u' ', 0xDC00, u'a', u' ', 0xD800};
    const QString text = QString::fromUtf16(units, 7);
    EXPECT_EQ(WordsToLinesUtf8(QStringView(text)), StringToUTF8(WordsToLines(text)));
    EXPECT_EQ(WordsToLinesUtf8(QStringView(text)),
              QByteArray("\xF0\x9F\x98\x80\r\n\xEF\xBF\xBD"
                         "a\r\n\xEF\xBF\xBD"));
}

TEST(StringToUTF8, EncodesWithoutMarkAndReplacesUnpairedSurrogates)
{
    EXPECT_TRUE(StringToUTF8(QString()).isEmpty());
    EXPECT_EQ(StringToUTF8(QStringLiteral("ab\r\ncd")), QByteArray("ab\r\ncd"));
    EXPECT_EQ(StringToUTF8(QString::fromUtf16(u"\u00E9\u20AC")), QByteArray("\xC3\xA9\xE2\x82\xAC"));
    const QChar lone[] = {QChar(0xD800), QChar(u'a')};
    EXPECT_EQ(StringToUTF8(QString(lone, 2)),
              QByteArray("\xEF\xBF\xBD"
                         "a"));
}

} // namespace
} // namespace quillora
