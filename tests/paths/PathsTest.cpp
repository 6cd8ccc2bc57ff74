// The shared path procedures with both separators, and the existence tests on real files.
#include "folders/Paths.h"

#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

namespace quillora {
namespace {

const QChar backslash(u'\\');
const QChar slash(u'/');

TEST(Paths, FileNameAndFolderPath)
{
    EXPECT_EQ(GetFileName(QStringLiteral("C:\\a\\b.txt"), backslash), QStringLiteral("b.txt"));
    EXPECT_EQ(GetFileName(QStringLiteral("b.txt"), backslash), QStringLiteral("b.txt"));
    EXPECT_EQ(GetFileName(QStringLiteral("C:\\a\\"), backslash), QString());
    EXPECT_EQ(GetFolderPath(QStringLiteral("C:\\a\\b.txt"), backslash), QStringLiteral("C:\\a\\"));
    EXPECT_EQ(GetFolderPath(QStringLiteral("b.txt"), backslash), QString());
    EXPECT_EQ(GetFileName(QStringLiteral("/home/u/b.txt"), slash), QStringLiteral("b.txt"));
    EXPECT_EQ(GetFolderPath(QStringLiteral("/home/u/b.txt"), slash), QStringLiteral("/home/u/"));
    EXPECT_THROW(GetFolderPath(QString(40000, QChar(u'a')) + QStringLiteral("\\b"), backslash), Failure);
}

TEST(Paths, FixDoubleBackslashesWithBackslashes)
{
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("C:\\Texts\\\\a.txt"), backslash),
              QStringLiteral("C:\\Texts\\a.txt"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("\\\\\\\\server\\\\share\\a.txt"), backslash),
              QStringLiteral("\\\\server\\share\\a.txt"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("\\folder\\a.txt"), backslash), QStringLiteral("\\\\folder\\a.txt"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("a\\\\\\b"), backslash), QStringLiteral("a\\\\b"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("\\"), backslash), QStringLiteral("\\\\"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("C:\\\\a.txt"), backslash), QStringLiteral("C:\\a.txt"));
}

TEST(Paths, FixDoubleBackslashesWithSlashes)
{
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("/home//u/a.txt"), slash), QStringLiteral("/home/u/a.txt"));
    // POSIX has no network-path prefix: a leading run becomes one separator.
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("////srv//a.txt"), slash), QStringLiteral("/srv/a.txt"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("a///b"), slash), QStringLiteral("a//b"));
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("//a.txt"), slash), QStringLiteral("/a.txt"));
    // The other separator is an ordinary character.
    EXPECT_EQ(FixDoubleBackslashes(QStringLiteral("a\\\\b"), slash), QStringLiteral("a\\\\b"));
}

TEST(Paths, ExistenceTests)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("a.txt"));
    testing::writeFile(file, "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("none"))));
    EXPECT_TRUE(FolderExists(folder.path()));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(folder.filePath(QStringLiteral("none"))));
    EXPECT_FALSE(FolderExists(QString()));
}

TEST(Paths, DesktopFolderEndsWithOneSeparatorAndListComparisonIsExact)
{
    const QString desktop = GetDesktopFolder();
    EXPECT_TRUE(desktop.endsWith(nativeSeparator()));
    EXPECT_FALSE(desktop.endsWith(QString(2, nativeSeparator())));
    const QStringList items{QStringLiteral("C:\\A.txt"), QStringLiteral("C:\\B.txt")};
    EXPECT_FALSE(ListViewHasItem(items, QStringLiteral("c:\\a.txt")));
    EXPECT_TRUE(ListViewHasItem(items, QStringLiteral("C:\\B.txt")));
    EXPECT_FALSE(ListViewHasItem({}, QStringLiteral("x")));
}

} // namespace
} // namespace quillora
