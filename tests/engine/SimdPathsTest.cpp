// The vector paths of the UTF-8 check and the word-per-line rule give exactly the answers and bytes of the
// byte-by-byte path.
#include "engine/SimdLevel.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8Check.h"
#include "engine/WordsToLines.h"
#include "engine/WordsToLinesStream.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <vector>

namespace quillora {
namespace {

// Everything the paths can differ in, for one input cut into two pieces at cut.
struct Answers
{
    bool valid;
    bool hasMultibyte;
    qsizetype prefix;
    bool prefixValid;
    bool piecesValid;
    QByteArray fromUtf8;
    QByteArray fromWindows1252;
    QByteArray fromUtf16;
    QString lines;
    QByteArray streamed;
    // The bytes as UTF-16 in each byte order, fed in the same two pieces.
    QByteArray streamedUtf16[2];
    bool operator==(const Answers&) const = default;
};

Answers answersOn(const QByteArray& bytes, qsizetype cut)
{
    Answers answers{};
    const Utf8Check whole = checkUtf8(bytes);
    answers.valid = whole.valid;
    answers.hasMultibyte = whole.hasMultibyte;
    Utf8Check prefix;
    answers.prefix = checkUtf8Prefix(bytes, prefix);
    answers.prefixValid = prefix.valid;
    Utf8Validator validator;
    validator.feed(QByteArrayView(bytes).first(cut));
    validator.feed(QByteArrayView(bytes).sliced(cut));
    answers.piecesValid = validator.finish().valid;
    if (whole.valid)
        answers.fromUtf8 = WordsToLinesUtf8(QByteArrayView(bytes));
    answers.fromWindows1252 = WordsToLinesUtf8FromWindows1252(bytes);
    // The same bytes taken as UTF-16 units, copied so that the units are aligned wherever the bytes begin.
    QString units(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(units.data(), bytes.constData(), size_t(units.size()) * 2);
    answers.fromUtf16 = WordsToLinesUtf8(QStringView(units));
    answers.lines = WordsToLines(units);
    WordsToLinesStream stream(!whole.valid);
    const Utf8Sink append = [&answers](QByteArrayView piece) { answers.streamed.append(piece); };
    stream.feed(QByteArrayView(bytes).first(cut), append);
    stream.feed(QByteArrayView(bytes).sliced(cut), append);
    for (const bool bigEndian : {false, true}) {
        Utf16WordsToLinesStream units(bigEndian);
        QByteArray& streamed = answers.streamedUtf16[bigEndian];
        const Utf8Sink add = [&streamed](QByteArrayView piece) { streamed.append(piece); };
        units.feed(QByteArrayView(bytes).first(cut), add);
        units.feed(QByteArrayView(bytes).sliced(cut), add);
        units.finish(add);
    }
    return answers;
}

class SimdPaths : public ::testing::Test
{
protected:
    // Every level the processor has must answer as the byte-by-byte path does.
    void expectSameAnswers(const QByteArray& bytes, qsizetype cut)
    {
        const SimdLimit scalar(SimdLevel::Scalar);
        const Answers expected = answersOn(bytes, cut);
        // UTF-16 converted piece by piece gives the bytes of the text decoded whole.
        for (const bool bigEndian : {false, true}) {
            EXPECT_EQ(expected.streamedUtf16[bigEndian], WordsToLinesUtf8(decodeUtf16(bytes, bigEndian)))
                << "cut at " << cut << ": " << bytes.toHex(' ').toStdString();
        }
        for (const SimdLevel level : {SimdLevel::Sse2, SimdLevel::Avx2}) {
            if (level > processorSimdLevel())
                continue;
            const SimdLimit limit(level);
            EXPECT_TRUE(answersOn(bytes, cut) == expected)
                << "level " << int(level) << ", cut at " << cut << ": " << bytes.toHex(' ').toStdString();
        }
    }
};

TEST(SimdLimit, CapsTheLevelWhileItLivesAndPutsTheCapBeforeBack)
{
    const SimdLevel best = simdLevel();
    EXPECT_EQ(best, processorSimdLevel());
    {
        const SimdLimit scalar(SimdLevel::Scalar);
        EXPECT_EQ(simdLevel(), SimdLevel::Scalar);
        {
            const SimdLimit sse2(SimdLevel::Sse2);
            EXPECT_EQ(simdLevel(), std::min(SimdLevel::Sse2, best));
        }
        EXPECT_EQ(simdLevel(), SimdLevel::Scalar);
    }
    EXPECT_EQ(simdLevel(), best);
}

// Well-formed sequences and each way a sequence can be ill-formed.
const char* const sequences[] = {
    "\xC2\x80",
    "\xDF\xBF",
    "\xE0\xA0\x80",
    "\xED\x9F\xBF",
    "\xEF\xBF\xBF",
    "\xF0\x90\x80\x80",
    "\xF4\x8F\xBF\xBF",
    "\xC0\xAF",
    "\xC1\xBF",
    "\xE0\x9F\xBF",
    "\xED\xA0\x80",
    "\xF0\x8F\xBF\xBF",
    "\xF4\x90\x80\x80",
    "\xF5\x80\x80\x80",
    "\xFF",
    "\x80",
    "\xBF\xBF",
    "\xE2\x82",
    "\xF0\x9F\x98",
    "\xC2 ",
    "\xE2\x82\xAC\x80",
};

TEST_F(SimdPaths, EverySequenceAtEveryPositionOfTwoBlocks)
{
    const QByteArray words = QByteArrayLiteral("ab  cd efgh ij klm nopq rs tuvw xy z0 12  34 5678 9 ab cd ef gh ij kl");
    for (const char* sequence : sequences) {
        for (qsizetype at = 0; at <= 70; ++at) {
            QByteArray bytes = words;
            bytes.insert(at, sequence);
            // The second piece starts inside, at and after the sequence in turn.
            for (const qsizetype cut : {at, at + 1, at + 2, at + 3})
                expectSameAnswers(bytes, qMin(cut, bytes.size()));
        }
    }
}

TEST_F(SimdPaths, RandomTextsNearTheBoundaries)
{
    // Bytes at the edges of each range the check tells apart, and whole characters.
    const char* const pieces[] = {" ",    "  ",   "a",        "\x7F",         "\x80",
                                  "\x8F", "\x90", "\x9F",     "\xA0",         "\xBF",
                                  "\xC0", "\xC2", "\xDF",     "\xE0",         "\xED",
                                  "\xEF", "\xF0", "\xF4",     "\xF5",         "\xFF",
                                  "\0",   "word", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"};
    QRandomGenerator random(7);
    for (int round = 0; round < 3000; ++round) {
        // Mostly short texts; now and then one past the size the converters work through in one go.
        const int count = round % 500 == 0 ? 12000 : int(random.bounded(1, 120));
        // Texts of whole characters and spaces are valid, so the UTF-8 converter runs on them too.
        const bool wellFormed = round % 2 == 0;
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            const int index = wellFormed ? int(random.bounded(20, int(std::size(pieces))))
                                         : int(random.bounded(int(std::size(pieces))));
            bytes.append(index == 20 ? QByteArray(1, '\0') : QByteArray(pieces[index]));
            if (wellFormed && random.bounded(3) == 0)
                bytes.append(' ');
        }
        expectSameAnswers(bytes, random.bounded(bytes.size() + 1));
    }
}

} // namespace
} // namespace quillora
