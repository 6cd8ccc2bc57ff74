// The shared path procedures with both separators, and the existence tests on real files.
#include "folders/Paths.h"

#include "platform/Failure.h"
#include "platform/NativeFileFacts.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <functional>

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
    NativeFileFacts facts;
    EXPECT_TRUE(FileExists(file, facts));
    EXPECT_FALSE(FileExists(QString(), facts));
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("none")), facts));
    EXPECT_TRUE(FolderExists(folder.path(), facts));
    EXPECT_FALSE(FolderExists(file, facts));
    EXPECT_FALSE(FolderExists(folder.filePath(QStringLiteral("none")), facts));
    EXPECT_FALSE(FolderExists(QString(), facts));
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

#ifndef Q_OS_WIN
TEST(Paths, DesktopFolderFallsBackToTheHomeFolderWhereThereIsNoDesktopFolder)
{
    QTemporaryDir home;
    testing::EnvironmentOverride environment{{"XDG_CONFIG_HOME", QByteArray()}};
    const QString desktop = home.filePath(QStringLiteral("Desktop"));
    const struct
    {
        QString home;
        std::function<void()> arrange;
        QString expected;
    } cases[] = {
        {home.path(), [] {}, home.path() + u'/'},
        {home.path(), [&] { testing::writeFile(desktop, "not a folder"); }, home.path() + u'/'},
        {home.path(),
         [&] {
             QFile::remove(desktop);
             QDir().mkdir(desktop);
         },
         desktop + u'/'},
        {QStringLiteral("/"), [] {}, QStringLiteral("/")},
    };
    for (const auto& c : cases) {
        const testing::EnvironmentOverride homeFolder{{"HOME", QFile::encodeName(c.home)}};
        c.arrange();
        EXPECT_EQ(GetDesktopFolder(), c.expected);
    }
}
#endif

} // namespace
} // namespace quillora
