// The word-per-line rule, and its UTF-8 forms that must give the same bytes.
#include "engine/WordsToLines.h"

#include "engine/SimdLevel.h"
#include "engine/StringToUTF8.h"
#include "engine/TextReaders.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Windows1252.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

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
    for (const SimdLevel level : {SimdLevel::Scalar, SimdLevel::Sse2, SimdLevel::Avx2}) {
        if (level > processorSimdLevel())
            continue;
        const SimdLimit limit(level);
        for (const Case& c : cases) {
            const QString input = QString::fromUtf16(c.input);
            EXPECT_EQ(WordsToLines(input), QString::fromUtf16(c.expected))
                << "level " << int(level) << ": " << input.toStdString();
        }
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

// Random texts over an alphabet rich in spaces, line breaks and characters beyond ASCII, some long enough to be
// converted in several chunks. Every third text has long words, which run on past a block of the vector paths.
std::vector<QString> randomTexts()
{
    const QStringView alphabets[]
        = {u"  ab\r\n\t\u00E9\u20AC\u00A0", u" abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\u00E9"};
    QRandomGenerator random(7);
    std::vector<QString> texts;
    for (int round = 0; round < 60; ++round) {
        const QStringView alphabet = alphabets[round % 3 == 2];
        const int length = round < 50 ? int(random.bounded(200)) : int(random.bounded(3'000'000));
        QString text(length, Qt::Uninitialized);
        for (QChar& character : text)
            character = alphabet[random.bounded(int(alphabet.size()))];
        if (round % 7 == 0 && length > 2)
            text[length / 2] = QChar(u'x');
        texts.push_back(text);
    }
    return texts;
}

TEST(WordsToLines, Utf8FormsGiveTheBytesOfTheTextForm)
{
    const std::vector<QString> texts = randomTexts();
    for (size_t round = 0; round < texts.size(); ++round) {
        const QString& text = texts[round];
        const QByteArray expected = StringToUTF8(WordsToLines(text));
        EXPECT_EQ(WordsToLinesUtf8(QStringView(text)), expected) << "round " << round;
        EXPECT_EQ(WordsToLinesUtf8(QByteArrayView(text.toUtf8())), expected) << "round " << round;
    }
}

TEST(WordsToLines, ShufflingPathGivesTheTextOfThePlainRule)
{
    // Below AVX2 text held whole takes the plain rule itself, and there is nothing to compare.
    if (processorSimdLevel() < SimdLevel::Avx2)
        GTEST_SKIP() << "this processor has no AVX2, so the rule takes no shuffling path";
    const std::vector<QString> texts = randomTexts();
    for (size_t round = 0; round < texts.size(); ++round) {
        QString plain;
        {
            const SimdLimit scalar(SimdLevel::Scalar);
            plain = WordsToLines(texts[round]);
        }
        EXPECT_EQ(WordsToLines(texts[round]), plain) << "round " << round;
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

// The converters work in chunks of 2^20 units and files are read in pieces of 2^20 bytes: a character cut by
// either boundary must come out whole, whatever form the text arrives in.
TEST(WordsToLines, CharactersCutByAChunkOrPieceBoundaryAndIllFormedUtf32)
{
    constexpr qsizetype boundary = qsizetype(1) << 20;
    const QByteArray smile("\xF0\x9F\x98\x80");
    const QByteArray replacement("\xEF\xBF\xBD");
    QTemporaryDir folder;
    // Through a file, as the batch run reads one without a mark: checked as UTF-8 piece by piece, then converted.
    const auto viaFile = [&](const QByteArray& bytes) {
        const QString path = folder.filePath(QStringLiteral("cut.txt"));
        testing::writeFile(path, bytes);
        QByteArray whole;
        for (ReadingMode mode : {ReadingMode::Whole, ReadingMode::InFile}) {
            const OrFailure<FileText> read = ReadFileToString(path, mode, localeAnsiCodePage());
            if (!read)
                return QByteArray("<not read>");
            const FileText& text = *read;
            const auto* bytes = std::get_if<BytesInMemory>(&text.held());
            whole += bytes && bytes->encoding.page == AnsiCodePage::Western ? QByteArray("<taken for ANSI>")
                                                                            : text.wordsToLinesUtf8();
        }
        return whole;
    };
    const auto utf32 = [](std::initializer_list<quint32> codes, bool bigEndian, QByteArray tail = {}) {
        QByteArray bytes;
        for (quint32 code : codes)
            for (int i = 0; i < 4; ++i)
                bytes.append(char(code >> (8 * (bigEndian ? 3 - i : i))));
        return bytes + tail;
    };
    struct Case
    {
        std::string name;
        std::function<QByteArray()> convert;
        QByteArray expected;
    };
    std::vector<Case> cases;
    // The four-byte sequence starts three, two and one byte before the boundary.
    for (qsizetype cut = 1; cut <= 3; ++cut) {
        const QByteArray lead(boundary - cut, 'a');
        const QByteArray text = lead + smile + " b";
        const QByteArray expected = lead + smile + "\r\nb";
        cases.push_back({"UTF-8 bytes cut " + std::to_string(cut), [=] { return WordsToLinesUtf8(text); }, expected});
        cases.push_back({"UTF-8 file cut " + std::to_string(cut), [=] { return viaFile(text); }, expected + expected});
    }
    const QByteArray lead(boundary - 1, 'a');
    const QString pairCut = QString::fromLatin1(lead) + QString::fromUtf8(smile) + QStringLiteral(" b");
    cases.push_back(
        {"UTF-16 pair cut", [=] { return WordsToLinesUtf8(QStringView(pairCut)); }, lead + smile + "\r\nb"});
    const auto decoded
        = [](QByteArray bytes, bool bigEndian) { return WordsToLinesUtf8(QStringView(decodeUtf32(bytes, bigEndian))); };
    for (bool bigEndian : {false, true}) {
        const std::string order = bigEndian ? " BE" : " LE";
        const std::pair<const char*, std::pair<QByteArray, QByteArray>> units[] = {
            {"past U+10FFFF", {utf32({'a', 0x110000, ' ', 'b'}, bigEndian), "a" + replacement + "\r\nb"}},
            {"all bits", {utf32({0xFFFFFFFF}, bigEndian), replacement}},
            {"high surrogate", {utf32({0xD800, ' ', 0xDBFF}, bigEndian), replacement + "\r\n" + replacement}},
            {"low surrogate", {utf32({0xDFFF}, bigEndian), replacement}},
            {"pair as two units", {utf32({0xD83D, 0xDE00}, bigEndian), replacement + replacement}},
            {"U+10FFFF is kept", {utf32({0x10FFFF}, bigEndian), "\xF4\x8F\xBF\xBF"}},
            {"partial last unit", {utf32({'a', ' '}, bigEndian, QByteArray("\0\0", 2)), "a\r\n" + replacement}},
            {"one byte", {QByteArray("a"), replacement}},
        };
        for (const auto& [name, bytes] : units)
            cases.push_back(
                {name + order, [=, bytes = bytes.first] { return decoded(bytes, bigEndian); }, bytes.second});
    }
    for (const Case& c : cases)
        EXPECT_TRUE(c.convert() == c.expected) << c.name;
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
