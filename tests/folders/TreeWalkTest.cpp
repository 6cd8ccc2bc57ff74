// The walk on real temporary folder trees: listing order, names, long paths, denied folders and link loops.
#include "folders/FolderWalk.h"
#include "platform/NativeFileFacts.h"
#include "platform/testing/RecordingDoubles.h"
#include "platform/testing/ScriptedMessageBoxes.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillora {
namespace {

class TreeWalk : public ::testing::Test
{
protected:
    // A folder below the temporary root, made with all its parents; its path with a final separator.
    QString folder(const QString& relative)
    {
        EXPECT_TRUE(QDir(root.path()).mkpath(relative)) << relative.toStdString();
        return entry(relative);
    }
    QString entry(const QString& relative) const
    {
        return testing::native(root.path() + QChar(u'/') + relative + QChar(u'/'));
    }
    void link(const QString& target, const QString& relative)
    {
        ASSERT_TRUE(QFile::link(target, root.path() + QChar(u'/') + relative)) << relative.toStdString();
    }

    QStringList walk(const QString& start, bool recurse = true)
    {
        QStringList folders{start};
        collectSubFolders(folders, recurse, {events, nativeFacts, ErrorReport::boxTeller(boxes), {}});
        return folders;
    }

    // Level by level, each parent's sub-folders in the order the platform lists them.
    static QStringList levelOrder(const QString& start)
    {
        NativeFileFacts facts;
        QStringList result{start};
        QStringList level{start};
        while (!level.isEmpty()) {
            QStringList next;
            for (const QString& parent : level) {
                for (const QString& name : facts.listSubfolders(parent))
                    next.append(parent + name + QDir::separator());
            }
            result.append(next);
            level = next;
        }
        return result;
    }

    QTemporaryDir root;
    testing::ScriptedMessageBoxes boxes;
    testing::CountingEventPump events;
    NativeFileFacts nativeFacts;
};

TEST_F(TreeWalk, FollowsTheListingOrderLevelByLevel)
{
    const QString data = folder(QStringLiteral("Data"));
    for (const char* path : {"Data/A/A1", "Data/A/A2/A21", "Data/B", "Data/C/C1/C11/C111", "Data/D", "Data/E/E1"})
        folder(QString::fromUtf8(path));
    QFile(root.path() + QStringLiteral("/Data/file.txt")).open(QIODevice::WriteOnly);

    const QStringList result = walk(data);

    EXPECT_EQ(result, levelOrder(data));
    EXPECT_EQ(result.size(), 13);
    EXPECT_EQ(walk(data, false).size(), 6);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TreeWalk, UnicodeAndHiddenNamesAreWalkedBadCharactersAreNot)
{
    const QString data = folder(QStringLiteral("Data"));
    const QStringList walked{QStringLiteral("\u0393\u03B5\u03B9\u03AC"), QStringLiteral("\u0414\u043E\u043C"),
                             QStringLiteral("\u6587\u66F8"), QStringLiteral(".hidden"), QStringLiteral("caf\u00E9")};
    for (const QString& name : walked)
        folder(QStringLiteral("Data/") + name + QStringLiteral("/inner"));
#ifndef Q_OS_WIN
    for (const QString& name : {QStringLiteral("what?"), QStringLiteral("bell\u0007"), QStringLiteral("nel\u0085")})
        folder(QStringLiteral("Data/") + name + QStringLiteral("/inner"));
#endif

    QStringList result = walk(data);

    QStringList expected{data};
    for (const QString& name : walked)
        expected.append(entry(QStringLiteral("Data/") + name));
    for (const QString& name : walked)
        expected.append(entry(QStringLiteral("Data/") + name + QStringLiteral("/inner")));
    std::sort(result.begin() + 1, result.end());
    std::sort(expected.begin() + 1, expected.end());
    EXPECT_EQ(result, expected);
}

TEST_F(TreeWalk, StopsDescendingWhereThePathReachesTheLimit)
{
    const QString data = folder(QStringLiteral("Data"));
    // Pad the path so that "Data/<pad>/" has exactly 260 characters.
    const qsizetype padding = 260 - data.size() - 1;
    ASSERT_GT(padding, 0);
    ASSERT_LT(padding, 256) << "the temporary folder's path is too long for this test";
    const QString pad(padding, QChar(u'p'));
    folder(QStringLiteral("Data/") + pad + QStringLiteral("/below"));
    const QString shorter(padding - 1, QChar(u's'));
    folder(QStringLiteral("Data/") + shorter + QStringLiteral("/below"));
    ASSERT_EQ(entry(QStringLiteral("Data/") + pad).size(), 260);

    QStringList result = walk(data);

    std::sort(result.begin() + 1, result.end());
    EXPECT_EQ(result,
              QStringList({data, entry(QStringLiteral("Data/") + pad), entry(QStringLiteral("Data/") + shorter),
                           entry(QStringLiteral("Data/") + shorter + QStringLiteral("/below"))}));
}

#ifndef Q_OS_WIN

TEST_F(TreeWalk, FoldersThatDenyListingAreRemoved)
{
    QUILLORA_SKIP_AS_ROOT();
    const QString data = folder(QStringLiteral("Data"));
    folder(QStringLiteral("Data/Closed1/inner"));
    folder(QStringLiteral("Data/Closed2/inner"));
    folder(QStringLiteral("Data/Open/inner"));
    for (const char* closed : {"/Data/Closed1", "/Data/Closed2"})
        ASSERT_EQ(::chmod(QFile::encodeName(root.path() + QString::fromUtf8(closed)).constData(), 0), 0);

    QStringList result = walk(data);

    for (const char* closed : {"/Data/Closed1", "/Data/Closed2"})
        ::chmod(QFile::encodeName(root.path() + QString::fromUtf8(closed)).constData(), 0700);
    EXPECT_EQ(result,
              QStringList({data, entry(QStringLiteral("Data/Open")), entry(QStringLiteral("Data/Open/inner"))}));
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(TreeWalk, StartingFolderThatDeniesListingIsRemoved)
{
    QUILLORA_SKIP_AS_ROOT();
    const QString closed = folder(QStringLiteral("Closed"));
    folder(QStringLiteral("Closed/inner"));
    ASSERT_EQ(::chmod(QFile::encodeName(root.path() + QStringLiteral("/Closed")).constData(), 0), 0);

    const QStringList result = walk(closed);

    ::chmod(QFile::encodeName(root.path() + QStringLiteral("/Closed")).constData(), 0700);
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(TreeWalk, LinksBackUpTheTreeAreNotFollowed)
{
    const QString data = folder(QStringLiteral("Data"));
    folder(QStringLiteral("Data/A/A1"));
    folder(QStringLiteral("Data/B"));
    // Two links back to the top in one folder would otherwise double the walk at every level.
    link(QStringLiteral(".."), QStringLiteral("Data/A/back"));
    link(root.path() + QStringLiteral("/Data"), QStringLiteral("Data/A/again"));
    link(QStringLiteral("."), QStringLiteral("Data/B/self"));
    // A link to a folder beside it is no loop: that folder is walked once more under the link's name.
    link(QStringLiteral("../A"), QStringLiteral("Data/B/side"));

    QStringList result = walk(data);

    std::sort(result.begin() + 1, result.end());
    EXPECT_EQ(result,
              QStringList({data, entry(QStringLiteral("Data/A")), entry(QStringLiteral("Data/A/A1")),
                           entry(QStringLiteral("Data/B")), entry(QStringLiteral("Data/B/side")),
                           entry(QStringLiteral("Data/B/side/A1"))}));
}

TEST_F(TreeWalk, LinksOutOfTheTreeAreFollowedAndDanglingOnesLeftOut)
{
    const QString data = folder(QStringLiteral("Data"));
    folder(QStringLiteral("Elsewhere/inner"));
    link(root.path() + QStringLiteral("/Elsewhere"), QStringLiteral("Data/out"));
    link(root.path() + QStringLiteral("/Nowhere"), QStringLiteral("Data/dangling"));

    EXPECT_EQ(walk(data),
              QStringList({data, entry(QStringLiteral("Data/out")), entry(QStringLiteral("Data/out/inner"))}));
}

#endif

} // namespace
} // namespace quillora
