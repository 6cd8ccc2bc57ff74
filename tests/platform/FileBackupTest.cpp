// The backup copy made where a file system takes no second link: the old file's bytes, mode, times and owner, and
// nothing left behind when the file is no longer the one expected.
#include "platform/FileBackupPosix.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {
namespace {

struct stat statusOf(const QByteArray& path)
{
    struct stat status
    { };
    EXPECT_EQ(::stat(path.constData(), &status), 0) << path.constData();
    return status;
}

TEST(FileBackupTest, ACopyKeepsTheBytesModeTimesAndOwner)
{
    QTemporaryDir work;
    const QByteArray old = QFile::encodeName(work.filePath(QStringLiteral("a.txt")));
    const QByteArray spare = old + ".spare";
    testing::writeFile(QString::fromUtf8(old), QByteArray("old\0bytes", 9));
    // Set-id bits are kept too; a root that may give files away gives the copy the old file's owner.
    const uid_t owner = testing::runningAsRoot() ? 65534 : ::geteuid();
    ASSERT_EQ(::chown(old.constData(), owner, ::getegid()), 0);
    ASSERT_EQ(::chmod(old.constData(), 02751), 0);
    const struct timespec times[2] = {{1000000000, 111}, {1000000001, 222}};
    ASSERT_EQ(::utimensat(AT_FDCWD, old.constData(), times, 0), 0);
    const struct stat before = statusOf(old);

    ASSERT_EQ(copyAsBackup(old, spare, before.st_dev, before.st_ino), 0);
    const struct stat copy = statusOf(spare);
    EXPECT_EQ(testing::readFile(QString::fromUtf8(spare)), QByteArray("old\0bytes", 9));
    EXPECT_NE(copy.st_ino, before.st_ino);
    EXPECT_EQ(copy.st_mode, before.st_mode);
    EXPECT_EQ(copy.st_uid, before.st_uid);
    EXPECT_EQ(copy.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(copy.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(copy.st_atim.tv_nsec, 111);

    // A file other than the one read is not copied, and no spare is left.
    ::unlink(spare.constData());
    EXPECT_EQ(copyAsBackup(old, spare, before.st_dev, before.st_ino + 1), ESTALE);
    EXPECT_FALSE(QFile::exists(QString::fromUtf8(spare)));
}

} // namespace
} // namespace quillora
