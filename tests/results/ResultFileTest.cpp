// Result files replace the old file whole, keep its permissions and owner, and leave nothing behind after a failure.
#include "results/ResultFile.h"

#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

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

#ifndef Q_OS_WIN
TEST(ResultFile, KeepsTheOwnerAndGroupOfTheFileItReplaces)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("theirs.txt"));
    writeFile(path, "old");
    const uint other = 4321;
    if (::chown(QFile::encodeName(path).constData(), other, other) != 0)
        GTEST_SKIP() << "this process cannot give a file to another user; owner not tried";
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther | QFileDevice::WriteOther));
    writeResultFile(path, "new");
    EXPECT_EQ(readFile(path), QByteArray("new"));
    EXPECT_EQ(QFileInfo(path).ownerId(), other);
    EXPECT_EQ(QFileInfo(path).groupId(), other);
}
#endif

#ifndef Q_OS_WIN
TEST(ResultFile, ASymbolicLinkStaysAndTheFileItLeadsToIsReplaced)
{
    QTemporaryDir folder;
    const QString elsewhere = folder.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(elsewhere);
    const QString real = elsewhere + QStringLiteral("/real.txt");
    struct Case
    {
        const char* name;
        // Links from name to the next, the last one leading to real.txt.
        QStringList chain;
        bool realExists;
    };
    const Case cases[] = {{"a link", {"link.txt"}, true},
                          {"a link to a link", {"outer.txt", "inner.txt"}, true},
                          {"a dangling link", {"dangling.txt"}, false}};
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        QFile::remove(real);
        if (one.realExists)
            writeFile(real, "old");
        QString next = real;
        for (auto name = one.chain.crbegin(); name != one.chain.crend(); ++name) {
            QFile::remove(folder.filePath(*name));
            ASSERT_TRUE(QFile::link(next, folder.filePath(*name)));
            next = folder.filePath(*name);
        }
        writeResultFile(next, "new");
        EXPECT_EQ(readFile(real), QByteArray("new"));
        for (const QString& name : one.chain)
            EXPECT_TRUE(QFileInfo(folder.filePath(name)).isSymLink()) << name.toStdString();
        EXPECT_EQ(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden), QStringList{"real.txt"});
    }
}
#endif

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
    // The file itself may be written; the message says that it is the folder that refuses.
    try {
        writeResultFile(lockedFolder + QStringLiteral("/a.txt"), "new");
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(),
                  QStringLiteral("Permission denied: cannot replace files in the folder ") + lockedFolder + u'/');
    }
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
