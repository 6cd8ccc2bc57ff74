// Word lists made by the program, against lists worked out here the plain way: split at spaces and line breaks,
// counted in a map, ordered by code point.
#include "cli/ProgramRun.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace quillora {
namespace {

using testing::runProgram;

std::vector<QString> wordsOf(const QString& text)
{
    std::vector<QString> words;
    for (const QString& piece : text.split(QRegularExpression(QStringLiteral("[ \\r\\n]")), Qt::SkipEmptyParts))
        words.push_back(piece);
    return words;
}

bool beforeByCodePoint(const QString& left, const QString& right)
{
    return left.toUcs4() < right.toUcs4();
}

QByteArray lines(const std::vector<QString>& words)
{
    QByteArray list;
    for (const QString& word : words)
        list += word.toUtf8() + "\n";
    return list;
}

// The four lists of a text, worked out one by one.
QByteArray uniqueList(const QString& text)
{
    std::vector<QString> seen;
    for (const QString& word : wordsOf(text))
        if (std::find(seen.begin(), seen.end(), word) == seen.end())
            seen.push_back(word);
    return lines(seen);
}

QByteArray sortedList(const QString& text, bool eachOnce)
{
    std::vector<QString> words = wordsOf(text);
    std::stable_sort(words.begin(), words.end(), beforeByCodePoint);
    if (eachOnce)
        words.erase(std::unique(words.begin(), words.end()), words.end());
    return lines(words);
}

QByteArray countList(const QString& text)
{
    std::map<QString, int> counts;
    for (const QString& word : wordsOf(text))
        ++counts[word];
    std::vector<std::pair<QString, int>> ordered(counts.begin(), counts.end());
    std::sort(ordered.begin(), ordered.end(), [](const auto& left, const auto& right) {
        return left.second != right.second ? left.second > right.second : beforeByCodePoint(left.first, right.first);
    });
    QByteArray list;
    for (const auto& [word, count] : ordered)
        list += QByteArray::number(count) + "\t" + word.toUtf8() + "\n";
    return list;
}

// A text of many words from a small vocabulary, with every kind of break between them.
QString manyWords(int count, unsigned seed)
{
    const QStringList vocabulary
        = {"a", "b", "ab", "Ab", "ß", "SS", "é", "x\ty", "日本", "😀", "longer-than-sixteen-bytes"};
    const QStringList breaks = {" ", "  ", "\r\n", "\r", "\n", " \r\n "};
    QString text;
    for (int index = 0; index < count; ++index) {
        seed = seed * 1103515245 + 12345;
        text += vocabulary[int(seed >> 16) % vocabulary.size()] + breaks[int(seed >> 8) % breaks.size()];
    }
    return text;
}

TEST(WordListsTest, EachListIsTheListWorkedOutThePlainWay)
{
    const QStringList texts = {
        "the cat  and the\r\nhat",
        "a\rb\r\rc\n\nd \r\n e\r",
        "tab\there tab\there x\ty tab",
        QString::fromUtf8("non\u00a0breaking non\u00a0breaking non breaking"),
        QString::fromUtf8("école Zürich école ζ 日本 😀 😀 Ω ω"),
        "   ",
        "",
        "b a\r\nB A b ab a",
        manyWords(3000, 7),
    };
    struct Option
    {
        QStringList arguments;
        QByteArray (*list)(const QString&);
    };
    const QList<Option> options = {
        {{"--unique"}, uniqueList},
        {{"--sort"}, [](const QString& text) { return sortedList(text, false); }},
        {{"--sort", "--unique"}, [](const QString& text) { return sortedList(text, true); }},
        {{"--count"}, countList},
    };
    for (const QString& text : texts) {
        for (const Option& option : options) {
            const testing::ProgramRun run = runProgram(option.arguments + QStringList{"--lf", "-"}, text.toUtf8());
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out, option.list(text))
                << option.arguments.join(u' ').toStdString() << " of " << text.left(40).toStdString();
        }
    }
    // Without --lf every line ends with CR LF, the last one too.
    EXPECT_EQ(runProgram({"--count", "-"}, "b a b").out, "2\tb\r\n1\ta\r\n");
}

TEST(WordListsTest, FoldedWordsAreComparedAndWrittenFolded)
{
    const QByteArray text = "Straße STRASSE strasse ΣΊΣΥΦΟΣ σίσυφος ς Σ σ Apple aPPLE";
    struct Case
    {
        QStringList arguments;
        QByteArray list;
    };
    const QList<Case> cases = {
        {{"--count"}, "3\tstrasse\n3\tσ\n2\tapple\n2\tσίσυφοσ\n"},
        {{"--unique"}, "strasse\nσίσυφοσ\nσ\napple\n"},
        {{"--sort", "--unique"}, "apple\nstrasse\nσ\nσίσυφοσ\n"},
    };
    for (const Case& c : cases) {
        const testing::ProgramRun run = runProgram(c.arguments + QStringList{"--fold-case", "--lf", "-"}, text);
        EXPECT_EQ(run.out, c.list) << c.arguments.join(u' ').toStdString();
    }
}

TEST(WordListsTest, LocaleOrderFollowsTheLocalesCollation)
{
    const QByteArray text = "z ä a o ö Zebra";
    const QList<std::pair<QString, QByteArray>> cases = {
        {"sv_SE.UTF-8", "a\no\nz\nZebra\nä\nö\n"},
        {"de_DE.UTF-8", "a\nä\no\nö\nz\nZebra\n"},
    };
    for (const auto& [locale, list] : cases)
        EXPECT_EQ(runProgram({"--sort=locale", "--lf", "-"}, text, testing::environmentWithLocale(locale)).out, list)
            << locale.toStdString();
}

// Lists made a part at a time and merged are the list of the whole: the reduce step of a map/reduce.
TEST(WordListsTest, MergedCountsOfThePartsAreTheCountsOfTheWhole)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    QStringList parts;
    QString whole;
    for (int part = 0; part < 3; ++part) {
        const QString text = manyWords(2000 + part * 500, unsigned(part + 1));
        whole += text + "\n";
        parts.append(dir.filePath(QStringLiteral("part%1.txt").arg(part)));
        testing::writeFile(parts.last(), text.toUtf8());
    }
    ASSERT_TRUE(dir.mkdir("counts"));
    const testing::ProgramRun counted
        = runProgram(QStringList{"--count", "--lf", "--to", dir.filePath("counts")} + parts);
    ASSERT_EQ(counted.exitCode, 0) << counted.err.constData();
    QStringList lists;
    for (int part = 0; part < 3; ++part)
        lists.append(dir.filePath(QStringLiteral("counts/part%1.txt").arg(part)));
    const QByteArray expected = countList(whole);
    EXPECT_EQ(runProgram(QStringList{"--merge", "--lf", "--to", "-"} + lists).out, expected);
    EXPECT_EQ(runProgram(QStringList{"--count", "--lf", "--to", "-"} + parts).out, expected);
    EXPECT_EQ(runProgram({"--count", "--lf", "-"}, whole.toUtf8()).out, expected);
}

} // namespace
} // namespace quillora
