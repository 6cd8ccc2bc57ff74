// The attribute values and listing failures that the file system gives the folder services.
#include "platform/NativeFileFacts.h"

#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quillora {
namespace {

using testing::writeFile;

class NativeFacts : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return root.path() + QChar(u'/') + relative; }
    std::optional<quint32> attributesOf(const QString& relative) { return facts.attributes(path(relative)); }
    int listingError(const QString& folder)
    {
        try {
            facts.listSubfolders(folder);
        } catch (const Failure& failure) {
            return failure.number();
        }
        return 0;
    }

    QTemporaryDir root;
    NativeFileFacts facts;
};

TEST_F(NativeFacts, GivesTheWindowsValueThatMeansTheSameThing)
{
    writeFile(path(QStringLiteral("plain.txt")), "x");
    writeFile(path(QStringLiteral(".dotfile")), "x");
    QDir(root.path()).mkpath(QStringLiteral("folder"));
    QDir(root.path()).mkpath(QStringLiteral(".config"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe"))).constData(), 0600), 0);
    QFile::link(path(QStringLiteral("plain.txt")), path(QStringLiteral("filelink")));
    QFile::link(path(QStringLiteral("folder")), path(QStringLiteral("folderlink")));
    QFile::link(path(QStringLiteral("nothing")), path(QStringLiteral("dangling")));

    EXPECT_EQ(attributesOf(QStringLiteral("plain.txt")), 32u);
    EXPECT_EQ(attributesOf(QStringLiteral(".dotfile")), 34u);
    EXPECT_EQ(attributesOf(QStringLiteral("folder")), 16u);
    EXPECT_EQ(attributesOf(QStringLiteral("folder/")), 16u);
    EXPECT_EQ(attributesOf(QStringLiteral(".config/")), 18u);
    EXPECT_EQ(attributesOf(QStringLiteral("pipe")), 4u);
    EXPECT_EQ(attributesOf(QStringLiteral("filelink")), 1056u);
    EXPECT_EQ(attributesOf(QStringLiteral("folderlink")), 1040u);
    EXPECT_EQ(attributesOf(QStringLiteral("folderlink/")), 1040u) << "a folder path names the link itself";
    EXPECT_EQ(attributesOf(QStringLiteral("dangling")), 1024u);
    EXPECT_EQ(attributesOf(QStringLiteral("plain.txt/")), std::nullopt);
    EXPECT_EQ(attributesOf(QStringLiteral("missing")), std::nullopt);
    EXPECT_EQ(facts.attributes(QString()), std::nullopt);
    EXPECT_EQ(facts.attributes(QStringLiteral("/")).value_or(0) & 16u, 16u);
}

TEST_F(NativeFacts, AttributeReadAfterTheOpenTestDescribesThePathAskedFor)
{
    writeFile(path(QStringLiteral("plain.txt")), "x");
    writeFile(path(QStringLiteral(".hidden.txt")), "x");
    QDir(root.path()).mkpath(QStringLiteral("folder"));
    QFile::link(path(QStringLiteral("plain.txt")), path(QStringLiteral("link.txt")));

    EXPECT_TRUE(facts.opensAsExistingFile(path(QStringLiteral("plain.txt"))));
    EXPECT_EQ(attributesOf(QStringLiteral(".hidden.txt")), 34u);
    EXPECT_TRUE(facts.opensAsExistingFile(path(QStringLiteral("link.txt"))));
    EXPECT_EQ(attributesOf(QStringLiteral("link.txt")), 1056u);
    EXPECT_EQ(attributesOf(QStringLiteral("link.txt")), 1056u);
    EXPECT_FALSE(facts.opensAsExistingFile(path(QStringLiteral("folder"))));
    EXPECT_EQ(attributesOf(QStringLiteral("folder")), 16u);
    EXPECT_TRUE(facts.opensAsExistingFile(path(QStringLiteral("plain.txt"))));
    EXPECT_EQ(attributesOf(QStringLiteral("plain.txt/")), std::nullopt);
    EXPECT_TRUE(facts.opensAsExistingFile(path(QStringLiteral("plain.txt"))));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("plain.txt"))));
    EXPECT_TRUE(facts.listFiles(root.path(), QStringLiteral("plain.txt")).isEmpty());
    EXPECT_EQ(attributesOf(QStringLiteral("plain.txt")), std::nullopt)
        << "a look is lent only to the call that follows the open test";
}

TEST_F(NativeFacts, SocketIsASystemEntry)
{
    const QByteArray name = QFile::encodeName(path(QStringLiteral("s")));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(name.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, name.constData(), name.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(attributesOf(QStringLiteral("s")), 4u);
    EXPECT_FALSE(facts.opensAsExistingFile(path(QStringLiteral("s"))));
    ::close(fd);
}

TEST_F(NativeFacts, ReadOnlyWhenTheUserCannotWrite)
{
    QUILLORA_SKIP_AS_ROOT();
    writeFile(path(QStringLiteral("locked.txt")), "x");
    writeFile(path(QStringLiteral(".locked")), "x");
    ::chmod(QFile::encodeName(path(QStringLiteral("locked.txt"))).constData(), 0444);
    ::chmod(QFile::encodeName(path(QStringLiteral(".locked"))).constData(), 0444);

    EXPECT_EQ(attributesOf(QStringLiteral("locked.txt")), 33u);
    EXPECT_EQ(attributesOf(QStringLiteral(".locked")), 35u);
}

#ifdef __linux__
// Sets or clears the immutable flag; false when the file system or the user's rights do not allow it.
bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

TEST_F(NativeFacts, ImmutableFileOfOurOwnIsReadOnly)
{
    writeFile(path(QStringLiteral("fixed.txt")), "x");
    EXPECT_EQ(attributesOf(QStringLiteral("fixed.txt")), 32u);
    if (!setImmutable(path(QStringLiteral("fixed.txt")), true))
        GTEST_SKIP() << "the immutable flag cannot be set here";

    const std::optional<quint32> value = attributesOf(QStringLiteral("fixed.txt"));

    setImmutable(path(QStringLiteral("fixed.txt")), false);
    EXPECT_EQ(value, 33u);
}
#endif

TEST_F(NativeFacts, OnlyTheSlashIsARoot)
{
    EXPECT_TRUE(facts.isRootFolder(QStringLiteral("/")));
    EXPECT_TRUE(facts.isRootFolder(QStringLiteral("//")));
    EXPECT_FALSE(facts.isRootFolder(QStringLiteral("/tmp/")));
    EXPECT_FALSE(facts.isRootFolder(QString()));
}

TEST_F(NativeFacts, ListingFailuresArePathNotFoundOrPermissionDenied)
{
    writeFile(path(QStringLiteral("plain.txt")), "x");
    QDir(root.path()).mkpath(QStringLiteral("loop"));
    QFile::link(QStringLiteral("."), path(QStringLiteral("loop/me")));
    QString deep = path(QStringLiteral("loop/"));
    for (int i = 0; i < 50; ++i)
        deep += QStringLiteral("me/");

    EXPECT_EQ(listingError(path(QStringLiteral("missing/"))), 76);
    EXPECT_EQ(listingError(path(QStringLiteral("plain.txt/"))), 76);
    EXPECT_EQ(listingError(deep), 76);
    EXPECT_EQ(listingError(path(QStringLiteral("loop/"))), 0);
}

TEST_F(NativeFacts, ClosedFolderDeniesListing)
{
    QUILLORA_SKIP_AS_ROOT();
    QDir(root.path()).mkpath(QStringLiteral("closed"));
    ::chmod(QFile::encodeName(path(QStringLiteral("closed"))).constData(), 0);

    const int error = listingError(path(QStringLiteral("closed/")));

    ::chmod(QFile::encodeName(path(QStringLiteral("closed"))).constData(), 0700);
    EXPECT_EQ(error, 70);
}

TEST_F(NativeFacts, ListsFoldersAndFilesApartWithLinksByWhatTheyLeadTo)
{
    writeFile(path(QStringLiteral("Top/a.TXT")), "x");
    writeFile(path(QStringLiteral("Top/.b.txt")), "x");
    writeFile(path(QStringLiteral("Top/noextension")), "x");
    QDir(root.path()).mkpath(QStringLiteral("Top/Sub"));
    QFile::link(path(QStringLiteral("Top/Sub")), path(QStringLiteral("Top/SubLink")));
    QFile::link(path(QStringLiteral("Top/a.TXT")), path(QStringLiteral("Top/link.txt")));

    QStringList folders = facts.listSubfolders(path(QStringLiteral("Top")));
    QStringList files = facts.listFiles(path(QStringLiteral("Top/")), QStringLiteral("*.*"));
    folders.sort();
    files.sort();

    EXPECT_EQ(folders, QStringList({QStringLiteral("Sub"), QStringLiteral("SubLink")}));
    EXPECT_EQ(files,
              QStringList({QStringLiteral(".b.txt"), QStringLiteral("a.TXT"), QStringLiteral("link.txt"),
                           QStringLiteral("noextension")}));
    EXPECT_EQ(facts.listFiles(path(QStringLiteral("Top")), QStringLiteral("*.txt")).size(), 3);
    EXPECT_EQ(facts.resolvedPath(path(QStringLiteral("Top/SubLink/"))),
              QDir(path(QStringLiteral("Top/Sub"))).canonicalPath());
    EXPECT_TRUE(facts.resolvedPath(path(QStringLiteral("missing"))).isEmpty());
}

} // namespace
} // namespace quillora

#endif
