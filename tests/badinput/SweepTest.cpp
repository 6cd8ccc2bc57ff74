// Awkward contents and names, each pushed through the single-text load, the batch run and the folder walk: what
// the user is told, what the result holds, and that nothing outside the destination changes.
#include "SweepFixture.h"

#include <QDir>
#include <QFile>

namespace quillora::testing {
namespace {

QByteArray bytes(const char* text, qsizetype size)
{
    return QByteArray(text, size);
}

struct SweepCase
{
    const char* title;
    QString name; // below the input folder; may hold folders
    QByteArray content;
    QString loaded; // what the input box shows after the load
    // The batch run's result file in the destination; nothing means no result is written.
    std::optional<QByteArray> result;
    bool binary = false; // the run tells the user the file is not text
    bool walkFinds = true; // the folder walk and listing find the file
};

void PrintTo(const SweepCase& sweepCase, std::ostream* out)
{
    *out << sweepCase.title;
}

const QString wordsFile = QStringLiteral("words.txt");

std::vector<SweepCase> sweepCases()
{
    const QString u8 = QStringLiteral("\u00C0\u00AF");
    return {
        {"empty file", wordsFile, QByteArray(), QString(), QByteArray()},
        {"spaces only", wordsFile, QByteArray("     "), QStringLiteral("     "), QByteArray()},
        {"one byte FF", wordsFile, QByteArray("\xFF"), QStringLiteral("\u00FF"), QByteArray("\xC3\xBF")},
        {"a lone FE FF", wordsFile, QByteArray("\xFE\xFF"), QString(), QByteArray()},
        {"truncated UTF-8", wordsFile, QByteArray("ab \xE2\x82"), QStringLiteral("ab \u00E2\u201A"),
         QByteArray("ab\r\n\xC3\xA2\xE2\x80\x9A")},
        {"overlong form and encoded surrogate", wordsFile, QByteArray("x \xC0\xAF \xED\xA0\x80"),
         QStringLiteral("x \u00C0\u00AF \u00ED\u00A0\u20AC"),
         QByteArray("x\r\n\xC3\x80\xC2\xAF\r\n\xC3\xAD\xC2\xA0\xE2\x82\xAC")},
        {"UTF-16 with an odd length", wordsFile,
         bytes("\xFF\xFE"
               "a\0 \0b\0c",
               9),
         QStringLiteral("a b\uFFFD"), QByteArray("a\r\nb\xEF\xBF\xBD")},
        {"NUL-filled", wordsFile, QByteArray(4096, '\0'), QString(4096, QChar(0)), std::nullopt, true},
        {"Cyrillic name", QStringLiteral("\u043F\u0440\u0438\u0432\u0435\u0442.txt"), "a b", QStringLiteral("a b"),
         QByteArray("a\r\nb")},
        {"CJK name", QStringLiteral("\u6587\u5B57.txt"), "a b", QStringLiteral("a b"), QByteArray("a\r\nb")},
        {"emoji name", QStringLiteral("\U0001F600.txt"), "a b", QStringLiteral("a b"), QByteArray("a\r\nb")},
        {"name with spaces", QStringLiteral(" a  b .txt"), "a b", QStringLiteral("a b"), QByteArray("a\r\nb")},
        {"name with a leading dash", QStringLiteral("-rf.txt"), "a b", QStringLiteral("a b"), QByteArray("a\r\nb")},
        {"name with a newline", QStringLiteral("a\nb.txt"), "a b", QStringLiteral("a b"), QByteArray("a\r\nb")},
        {"name of 255 bytes", QString(251, QChar(u'n')) + QStringLiteral(".txt"), "a b", QStringLiteral("a b"),
         QByteArray("a\r\nb")},
        {"name of 255 bytes in two-byte characters", QString(125, QChar(u'\u00E9')) + QStringLiteral("a.txt"), "a b",
         QStringLiteral("a b"), QByteArray("a\r\nb")},
        // The walk lists the files of a folder whose path is too long to walk below.
        {"path of 300 characters",
         QString(60, QChar(u'd')) + QChar(u'/') + QString(60, QChar(u'e')) + QChar(u'/') + QString(60, QChar(u'f'))
             + QChar(u'/') + QString(60, QChar(u'g')) + QChar(u'/') + QString(60, QChar(u'h')) + QStringLiteral(".txt"),
         "a b", QStringLiteral("a b"), QByteArray("a\r\nb")},
    };
}

class Sweep : public SweepTest, public ::testing::WithParamInterface<SweepCase>
{ };

TEST_P(Sweep, EachWayInTellsTheUserTheSameAndChangesNothingOutsideTheDestination)
{
    const SweepCase& sweepCase = GetParam();
    const QString source = inPath(sweepCase.name);
    writeFile(source, sweepCase.content);
    const QString name = QFileInfo(source).fileName();
    ASSERT_GE(source.size(), sweepCase.name.size());
    const TreeSnapshot before = snapshotOutsideDestination();

    const Loaded loaded = loadInSingleWindow(source);
    EXPECT_EQ(loaded.messages, QStringList());
    EXPECT_EQ(loaded.input, sweepCase.loaded);

    const QStringList runMessages = runBatch(source, out());
    if (sweepCase.binary)
        EXPECT_EQ(runMessages, QStringList({notText(source), QStringLiteral("Done.")}));
    else
        EXPECT_EQ(runMessages, QStringList{QStringLiteral("Done.")});
    if (sweepCase.result)
        EXPECT_EQ(readFile(outPath(name)), *sweepCase.result);
    else
        EXPECT_TRUE(QDir(out()).isEmpty());

    QStringList walkMessages;
    const QStringList found = walkAndList(&walkMessages);
    EXPECT_EQ(walkMessages, QStringList());
    EXPECT_EQ(found.contains(source), sweepCase.walkFinds) << found.join(u'\n').toStdString();

    EXPECT_EQ(snapshotOutsideDestination(), before);
}

INSTANTIATE_TEST_SUITE_P(BadInput, Sweep, ::testing::ValuesIn(sweepCases()),
                         [](const ::testing::TestParamInfo<SweepCase>& info) {
                             QString title = QString::fromLatin1(info.param.title);
                             for (QChar& c : title)
                                 if (!c.isLetterOrNumber())
                                     c = u'_';
                             return title.toStdString();
                         });

} // namespace
} // namespace quillora::testing
