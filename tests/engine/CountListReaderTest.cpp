// The count-list reader on good and bad lines, fed whole, in two pieces cut anywhere, and a byte at a time.
#include "engine/CountListReader.h"

#include "support/TestSupport.h"

#include <string_view>

namespace quillora {
namespace {

using namespace std::literals;

// What a reader made of its pieces: the lines it handed on, as "COUNT<TAB>WORD\n", and the kept bad lines as
// "LINE: REASON\n".
struct Outcome
{
    QByteArray handed;
    QByteArray bad;
    qint64 badCount = 0;
};

template <typename FeedPieces> Outcome read(FeedPieces feedPieces)
{
    Outcome outcome;
    CountListReader reader([&outcome](QByteArrayView word, quint64 count) {
        outcome.handed.append(QByteArray::number(count) + '\t').append(word).append('\n');
    });
    feedPieces(reader);
    reader.finish();
    for (const CountListReader::BadLine& bad : reader.badLines())
        outcome.bad += QByteArray::number(bad.line) + ": " + bad.reason.toUtf8() + '\n';
    outcome.badCount = reader.badLineCount();
    return outcome;
}

// Reads text whole, in every two-piece split, and a byte at a time with empty pieces between, and expects the same
// outcome each time.
void expectOutcome(std::string_view text, const Outcome& expected)
{
    const QByteArrayView bytes(text.data(), qsizetype(text.size()));
    const auto check = [&expected](const Outcome& outcome, const char* how, qsizetype at) {
        EXPECT_EQ(outcome.handed, expected.handed) << how << at;
        EXPECT_EQ(outcome.bad, expected.bad) << how << at;
        EXPECT_EQ(outcome.badCount, expected.badCount) << how << at;
        return outcome.handed == expected.handed && outcome.bad == expected.bad;
    };
    check(read([bytes](CountListReader& reader) { reader.feed(bytes); }), "whole", 0);
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        const Outcome split = read([bytes, cut](CountListReader& reader) {
            reader.feed(bytes.first(cut));
            reader.feed(bytes.sliced(cut));
        });
        if (!check(split, "cut at ", cut))
            break;
    }
    check(read([bytes](CountListReader& reader) {
              for (const char byte : bytes) {
                  reader.feed(QByteArrayView(&byte, 1));
                  reader.feed(QByteArrayView());
              }
          }),
          "byte at a time", 0);
}

TEST(CountListReader, HandsOnGoodLinesAndTellsBadOnesWhereverThePiecesAreCut)
{
    const struct
    {
        std::string_view text;
        std::string_view handed;
        std::string_view bad;
    } cases[] = {
        {""sv, ""sv, ""sv},
        {"3\tthe\r\n2\tof\r\n1\ta\r\n"sv, "3\tthe\n2\tof\n1\ta\n"sv, ""sv},
        // LF, lone CR and CR LF end lines; the last line may lack its break.
        {"1\ta\n2\tb\r3\tc\r\n4\td"sv, "1\ta\n2\tb\n3\tc\n4\td\n"sv, ""sv},
        {"\r\r\n\n1\ta\n\n"sv, "1\ta\n"sv, "1: empty line\n2: empty line\n3: empty line\n5: empty line\n"sv},
        // A byte-order mark is passed over at the very start only.
        {"\xEF\xBB\xBF"sv, ""sv, ""sv},
        {"\xEF\xBB\xBF\n"sv, ""sv, "1: empty line\n"sv},
        {"\xEF\xBB\xBF"
         "5\tx\n\xEF\xBB\xBF"
         "1\tb\n1\t\xEF\xBB\xBF\n"sv,
         "5\tx\n1\t\xEF\xBB\xBF\n"sv, "2: no count\n"sv},
        // A word keeps its tabs, no-break spaces, control characters and characters of any length.
        {"7\ta\tb\t\n1\t\t\n2\t\xC2\xA0\x01\0\n3\t\xF0\x9F\x98\x80\xE2\x82\xAC\n"sv,
         "7\ta\tb\t\n1\t\t\n2\t\xC2\xA0\x01\0\n3\t\xF0\x9F\x98\x80\xE2\x82\xAC\n"sv, ""sv},
        {"18446744073709551615\tmost\n000000000000000000000000000042\tz\n"sv, "18446744073709551615\tmost\n42\tz\n"sv,
         ""sv},
        {"18446744073709551616\tw\n99999999999999999999999999\tw\n0\tw\n000\tw\n"sv, ""sv,
         "1: count too large\n2: count too large\n3: count of zero\n4: count of zero\n"sv},
        {"word\n-1\tw\n+1\tw\n 1\tw\n\t1\n"sv, ""sv,
         "1: no count\n2: no count\n3: no count\n4: no count\n5: no count\n"sv},
        {"1 w\n1\n12x\tw\n1\t\n1\t"sv, ""sv,
         "1: no tab after the count\n2: no tab after the count\n3: no tab after the count\n4: empty word\n"
         "5: empty word\n"sv},
        // Spaces and ill-formed UTF-8 before, inside and after the first eight bytes of a line.
        {"1\ta b\n1\tabcdefghijklmno \n1\t \n2\tafter\n"sv, "2\tafter\n"sv,
         "1: space in the word\n2: space in the word\n3: space in the word\n"sv},
        {"1\t\xFF\n1\tabcdefghijk\xC3\n1\t\xED\xA0\x80\n1\t\xC3\r\xA9\n1\t\xC3\xA9\n"sv, "1\t\xC3\xA9\n"sv,
         "1: not UTF-8\n2: not UTF-8\n3: not UTF-8\n4: not UTF-8\n5: no count\n"sv},
        // A bad line beside a good one in the same eight bytes taints only itself.
        {"1\tab\n x\n1\tcd\n\x80\n1\tx y"sv, "1\tab\n1\tcd\n"sv, "2: no count\n4: no count\n5: space in the word\n"sv},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QByteArray(c.text.data(), qsizetype(c.text.size())).toHex(' ').toStdString());
        const QByteArray bad(c.bad.data(), qsizetype(c.bad.size()));
        expectOutcome(c.text, {QByteArray(c.handed.data(), qsizetype(c.handed.size())), bad, bad.count('\n')});
    }
}

TEST(CountListReader, KeepsTheFirstBadLinesButCountsThemAll)
{
    std::string text;
    for (int line = 0; line < 25; ++line)
        text += "x\n";
    text += "9\tkept";
    QByteArray kept;
    for (qint64 line = 1; line <= CountListReader::keptBadLines; ++line)
        kept += QByteArray::number(line) + ": no count\n";
    expectOutcome(text, {"9\tkept\n", kept, 25});
}

} // namespace
} // namespace quillora
