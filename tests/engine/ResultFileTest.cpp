// Result files replace the old file whole, keep its permissions, and leave nothing behind after a failure.
#include "engine/ResultFile.h"

#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace quillora {
namespace {

using testing::readFile;
using testing::writeFile;

TEST(ResultFile, ReplacesALongerFileWithExactlyTheNewBytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.txt"));
    writeFile(path, QByteArray(1000, 'x'));
    writeResultFile(path, "a\r\nb");
    EXPECT_EQ(readFile(path), QByteArray("a\r\nb"));
    writeResultFile(path, QByteArray());
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.txt")});
}

TEST(ResultFile, KeepsThePermissionsOfTheFileItReplaces)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("shared.txt"));
    writeFile(path, "old");
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
        | QFileDevice::WriteGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    writeResultFile(path, "new");
    const auto ownerGroupOther = ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    EXPECT_EQ(QFile::permissions(path) & ownerGroupOther, permissions);
}

TEST(ResultFile, CannotOpenInAMissingFolderOrOnAFolder)
{
    QTemporaryDir folder;
    try {
        writeResultFile(folder.filePath(QStringLiteral("no/such/out.txt")), "x");
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), QStringLiteral("Path not found"));
    }
    EXPECT_THROW(writeResultFile(folder.path(), "x"), Failure);
    EXPECT_THROW(writeResultFile(QString(), "x"), Failure);
}

TEST(ResultFile, ReadOnlyTargetStaysWholeAndNothingIsLeftBehind)
{
    QUILLORA_SKIP_AS_ROOT();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("locked.txt"));
    writeFile(path, "keep me");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    try {
        writeResultFile(path, "replaced");
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), QStringLiteral("Permission denied"));
    }
    EXPECT_EQ(readFile(path), QByteArray("keep me"));

    const QString lockedFolder = folder.filePath(QStringLiteral("ro"));
    QDir().mkpath(lockedFolder);
    writeFile(lockedFolder + QStringLiteral("/a.txt"), "old");
    QFile::setPermissions(lockedFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(writeResultFile(lockedFolder + QStringLiteral("/a.txt"), "new"), Failure);
    EXPECT_EQ(readFile(lockedFolder + QStringLiteral("/a.txt")), QByteArray("old"));
    EXPECT_EQ(QDir(lockedFolder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QFile::setPermissions(lockedFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(ResultFile, AnAbandonedWriteLeavesTheOldFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.txt"));
    writeFile(path, "old");
    {
        ResultFile file(path);
        file.open();
        file.write("half of the n");
    }
    EXPECT_EQ(readFile(path), QByteArray("old"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

} // namespace
} // namespace quillora
