// Where each result goes: the chosen folder with the source's name, or the source itself.
#include "batchrun/BatchResultPath.h"
#include "support/TestSupport.h"

#include <QList>

namespace quillora {
namespace {

struct ResultPathCase
{
    bool besideSource;
    QString source;
    QString chosenFolder;
    QString expected;
};

TEST(BatchResultPath, FollowsTheDestinationChoiceWithWindowsSeparators)
{
    const QChar backslash(u'\\');
    const QList<ResultPathCase> cases{
        {false, QStringLiteral("C:\\In\\a.txt"), QStringLiteral("C:\\Out"), QStringLiteral("C:\\Out\\a.txt")},
        {false, QStringLiteral("C:\\In\\a.txt"), QStringLiteral("C:\\Out\\"), QStringLiteral("C:\\Out\\a.txt")},
        {false, QStringLiteral("C:\\In\\a.txt"), QStringLiteral("\\\\Server\\Share\\Out"),
         QStringLiteral("\\\\Server\\Share\\Out\\a.txt")},
        {true, QStringLiteral("C:\\In\\a.txt"), QStringLiteral("C:\\Out"), QStringLiteral("C:\\In\\a.txt")},
        {true, QStringLiteral("\\\\Server\\Share\\a.txt"), QString(), QStringLiteral("\\\\Server\\Share\\a.txt")},
        {false, QStringLiteral("C:\\In\\a.b.txt"), QStringLiteral("C:\\"), QStringLiteral("C:\\a.b.txt")},
        {true, QStringLiteral("C:\\a.txt"), QString(), QStringLiteral("C:\\a.txt")},
    };
    for (const ResultPathCase& c : cases) {
        SCOPED_TRACE(c.source.toStdString() + " -> " + c.expected.toStdString());
        EXPECT_EQ(batchResultPath(c.besideSource, c.chosenFolder, c.source, backslash), c.expected);
    }
}

TEST(BatchResultPath, FollowsTheDestinationChoiceWithSlashes)
{
    const QChar slash(u'/');
    EXPECT_EQ(batchResultPath(false, QStringLiteral("/out"), QStringLiteral("/in/a.txt"), slash),
              QStringLiteral("/out/a.txt"));
    EXPECT_EQ(batchResultPath(false, QStringLiteral("/out/"), QStringLiteral("/in/a.txt"), slash),
              QStringLiteral("/out/a.txt"));
    EXPECT_EQ(batchResultPath(false, QStringLiteral("/"), QStringLiteral("/in/a.txt"), slash),
              QStringLiteral("/a.txt"));
    EXPECT_EQ(batchResultPath(true, QString(), QStringLiteral("/in/sub/a.txt"), slash),
              QStringLiteral("/in/sub/a.txt"));
    EXPECT_EQ(batchResultPath(true, QString(), QStringLiteral("/a.txt"), slash), QStringLiteral("/a.txt"));
}

TEST(BatchResultPath, ASourceWithoutAFolderIsReplacedWhereItIsNotInTheRoot)
{
    EXPECT_EQ(batchResultPath(true, QString(), QStringLiteral("a.txt"), QChar(u'/')), QStringLiteral("a.txt"));
    EXPECT_EQ(batchResultPath(true, QString(), QStringLiteral("a.txt"), QChar(u'\\')), QStringLiteral("a.txt"));
}

} // namespace
} // namespace quillora
