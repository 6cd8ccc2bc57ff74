// Counting words fed in pieces cut anywhere, and the table as it grows, against a plain map.
#include "engine/WordCounts.h"

#include "engine/ConvertedWords.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace quillora {
namespace {

using Counted = std::vector<std::pair<std::string, std::uint64_t>>;

Counted countedOf(const WordCounts& counts)
{
    Counted counted;
    for (const WordCounts::Counted& entry : counts.inFirstAppearanceOrder())
        counted.emplace_back(entry.word.toByteArray().toStdString(), entry.count);
    return counted;
}

// A converted text cut into two pieces at every place, and into pieces of one byte, counts as it does whole.
TEST(WordCountsTest, WordsCutByThePiecesAreCountedWhole)
{
    const QByteArray text = "one\r\ntwo\rthree\n\r\none\r\nlonger-than-sixteen-bytes\r\ntwo";
    const Counted expected = {{"one", 2}, {"two", 2}, {"three", 1}, {"longer-than-sixteen-bytes", 1}};
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        WordCounts counts;
        ConvertedWords words(counts);
        words.feed(QByteArrayView(text).first(cut));
        words.feed(QByteArrayView(text).sliced(cut));
        words.finish();
        EXPECT_EQ(countedOf(counts), expected) << "cut at " << cut;
    }
    WordCounts counts;
    ConvertedWords words(counts);
    for (const char byte : text)
        words.feed(QByteArrayView(&byte, 1));
    words.finish();
    EXPECT_EQ(countedOf(counts), expected);
    // A text converted again from its start forgets what was counted.
    words.restart();
    words.feed("again");
    words.finish();
    EXPECT_EQ(countedOf(counts), (Counted{{"again", 1}}));
}

// Words of every length around the ones kept in a slot, many enough to make the table grow several times.
TEST(WordCountsTest, EveryWordKeepsItsCountAndPlaceAsTheTableGrows)
{
    WordCounts counts;
    std::map<std::string, std::uint64_t> expected;
    Counted order;
    unsigned seed = 1;
    for (int index = 0; index < 60000; ++index) {
        seed = seed * 1103515245 + 12345;
        const int number = int(seed >> 12) % 20000;
        const std::string word
            = std::to_string(number) + std::string(std::size_t(number % 23), char('a' + number % 26));
        if (expected[word]++ == 0)
            order.emplace_back(word, 0);
        counts.add(QByteArrayView(word.data(), qsizetype(word.size())));
    }
    for (auto& [word, count] : order)
        count = expected[word];
    EXPECT_EQ(countedOf(counts), order);
    // Adding a table to another keeps the other's first appearances after its own.
    WordCounts more;
    more.add("new");
    more.add(QByteArrayView(order.front().first.data(), qsizetype(order.front().first.size())), 2);
    ASSERT_TRUE(counts.addAll(more));
    order.front().second += 2;
    order.emplace_back("new", 1);
    EXPECT_EQ(countedOf(counts), order);
    // A count that would pass 2^64 - 1 is refused and leaves the word as it was.
    EXPECT_FALSE(counts.add("new", ~std::uint64_t(0)));
    EXPECT_EQ(countedOf(counts).back(), (std::pair<std::string, std::uint64_t>("new", 1)));
}

// Two words of one length and one hash, differing only in their last bytes, are found by trying words until two
// hashes meet; the table must still tell them apart.
TEST(WordCountsTest, WordsOfTheSameHashAreToldApart)
{
    for (const std::string prefix : {"", "abcdefgh", "abcdefghijklmnop"}) {
        std::map<std::uint32_t, std::string> seen;
        std::pair<std::string, std::string> pair;
        for (unsigned index = 0; pair.first.empty(); ++index) {
            std::string word = prefix;
            for (unsigned rest = index, digit = 0; digit < 4; ++digit, rest /= 62)
                word += "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"[rest % 62];
            const auto [found, added]
                = seen.emplace(WordCounts::hashOf(QByteArrayView(word.data(), qsizetype(word.size()))), word);
            if (!added)
                pair = {found->second, word};
        }
        WordCounts counts;
        counts.add(QByteArrayView(pair.first.data(), qsizetype(pair.first.size())));
        counts.add(QByteArrayView(pair.second.data(), qsizetype(pair.second.size())), 2);
        EXPECT_EQ(countedOf(counts), (Counted{{pair.first, 1}, {pair.second, 2}})) << prefix;
    }
}

} // namespace
} // namespace quillora
