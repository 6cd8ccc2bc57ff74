// The README's distributed word count, run for real: GNU parallel cuts a text into parts, a quillora counts each
// part, and one more adds the parts' lists up; the bytes must be those of one count of the whole text.
#include "cli/ProgramRun.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <random>

namespace quillora {
namespace {

// About size bytes of UTF-8 text, marked, whose words occur about as often as 1/rank (so low counts tie in
// numbers), ASCII and not, some holding a tab or a no-break space, parted by one or more spaces and by line breaks
// of every kind, empty lines among them. It ends on a word, with no line break.
QByteArray makeCorpus(qsizetype size)
{
    const QList<QByteArray> endings = {"\xc3\x9f", "\xc3\xa9", "\xd0\xb6\xd0\xb8", "\xcf\x82", "\tx", "\xc2\xa0y"};
    const QList<QByteArray> breaks = {"  ", "   ", "\r\n", "\n", "\r", "\r\n\r\n", "\n  \n", " \r \n"};
    std::mt19937 random(20261208);
    QByteArray text = "\xef\xbb\xbf";
    while (text.size() < size) {
        const auto rank = static_cast<quint32>(std::pow(8000.0, random() / 4294967296.0));
        QByteArray word;
        for (quint32 n = rank * 2654435761u % 1000003; word.size() < 2 || n > 0; n /= 26)
            word += char('a' + n % 26);
        if (rank % 7 == 0)
            word[0] = char(word[0] - 'a' + 'A');
        if (rank % 11 == 0)
            word += endings[rank % endings.size()];
        const quint32 roll = random() % 100;
        if (text.size() > 3)
            text += roll < 80 ? QByteArray(" ") : breaks[roll % breaks.size()];
        text += word;
    }
    return text;
}

// The first line where got and expected part, or "" where they are the same bytes.
QByteArray firstDifference(const QByteArray& got, const QByteArray& expected)
{
    const QList<QByteArray> gotLines = got.split('\n');
    const QList<QByteArray> expectedLines = expected.split('\n');
    for (qsizetype i = 0; i < std::max(gotLines.size(), expectedLines.size()); ++i) {
        const QByteArray line = gotLines.value(i, "(none)");
        const QByteArray wanted = expectedLines.value(i, "(none)");
        if (line != wanted)
            return "line " + QByteArray::number(i + 1) + ": '" + line + "' instead of '" + wanted + "'";
    }
    return {};
}

TEST(WordListRecipe, CountListsOfPartsMergedAreTheCountListOfTheWhole)
{
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    // A home of its own, so that no settings of the user's parallel change the run.
    QProcessEnvironment environment = testing::environmentWithLocale(QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("HOME"), work.path());
    environment.remove(QStringLiteral("PARALLEL"));
    environment.remove(QStringLiteral("PARALLEL_HOME"));
    if (!testing::runShell(QStringLiteral("parallel --version"), {}, environment).out.startsWith("GNU parallel")) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "GNU parallel is missing: scripts/setup installs it";
        GTEST_SKIP() << "needs GNU parallel (scripts/setup installs it)";
    }
    const QString corpus = work.filePath(QStringLiteral("corpus.txt"));
    const QString partLists = work.filePath(QStringLiteral("parts.txt"));
    testing::writeFile(corpus, makeCorpus(4 << 20));

    // The README's line with a small block, so that the text is cut into some thirty parts.
    const testing::ProgramRun recipe = testing::runShell(
        QStringLiteral("set -o pipefail; quillora=$(printf %q \"$0\"); "
                       "parallel --will-cite --pipepart -a \"$1\" --block 128k \"$quillora\" --count --lf - "
                       "| tee \"$2\" | \"$0\" --merge --lf -"),
        {corpus, partLists}, environment);
    const testing::ProgramRun whole
        = testing::runShell(QStringLiteral("exec \"$0\" --count --lf - < \"$1\""), {corpus}, environment);

    ASSERT_EQ(whole.exitCode, 0) << whole.err.constData();
    ASSERT_FALSE(whole.out.isEmpty());
    EXPECT_EQ(recipe.exitCode, 0);
    EXPECT_EQ(recipe.err, "");
    // The parts' lists name most words many times, so the merge has counts to add.
    EXPECT_GT(testing::readFile(partLists).count('\n'), 2 * whole.out.count('\n'));
    EXPECT_EQ(firstDifference(recipe.out, whole.out), QByteArray());
}

} // namespace
} // namespace quillora
