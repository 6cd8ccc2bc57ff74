// The attribute values and listing failures that the file system gives the folder services.
#include "platform/NativeFileFacts.h"

#include "platform/Failure.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
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

// What one look at each listed entry tells must be what the two single-path questions tell.
void expectListingAgreesWithSinglePaths(NativeFileFacts& facts, const QString& folder, const QString& pattern)
{
    const QList<ListedFile> files = facts.listFilesWithFacts(folder + QChar(u'/'), pattern);
    QStringList listedNames;
    for (const ListedFile& file : files) {
        listedNames << file.name;
        const QString path = folder + QChar(u'/') + file.name;
        EXPECT_EQ(file.opensAsFile, facts.opensAsExistingFile(path)) << qPrintable(file.name);
        EXPECT_EQ(file.attributes, facts.attributes(path)) << qPrintable(file.name);
    }
    QStringList names = facts.listFiles(folder, pattern);
    names.sort();
    listedNames.sort();
    EXPECT_EQ(listedNames, names);
}

TEST_F(NativeFacts, OneLookAtEachListedFileAgreesWithTheSinglePathQuestions)
{
    writeFile(path(QStringLiteral("plain.txt")), "x");
    writeFile(path(QStringLiteral(".hidden.txt")), "x");
    writeFile(path(QStringLiteral("locked.txt")), "x");
    writeFile(path(QStringLiteral("theirs.txt")), "x");
    writeFile(path(QStringLiteral("other.doc")), "x");
    QDir(root.path()).mkpath(QStringLiteral("folder.txt"));
    ::chmod(QFile::encodeName(path(QStringLiteral("locked.txt"))).constData(), 0444);
    // Another user's file: root may still write it, anyone else may not.
    (void)!::chown(QFile::encodeName(path(QStringLiteral("theirs.txt"))).constData(), 65534, 65534);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
    QFile::link(path(QStringLiteral("plain.txt")), path(QStringLiteral("link.txt")));
    QFile::link(path(QStringLiteral("folder.txt")), path(QStringLiteral("folderlink.txt")));
    QFile::link(path(QStringLiteral("nothing")), path(QStringLiteral("dangling.txt")));

    expectListingAgreesWithSinglePaths(facts, root.path(), QStringLiteral("*.txt"));
    expectListingAgreesWithSinglePaths(facts, root.path(), QStringLiteral("*.*"));

    QHash<QString, ListedFile> byName;
    for (const ListedFile& file : facts.listFilesWithFacts(root.path() + QChar(u'/'), QStringLiteral("*.TXT")))
        byName.insert(file.name, file);
    EXPECT_EQ(byName.size(), 7) << "folders and links to folders are not files";
    EXPECT_EQ(byName.value(QStringLiteral("plain.txt")), (ListedFile{QStringLiteral("plain.txt"), true, 32u}));
    EXPECT_EQ(byName.value(QStringLiteral(".hidden.txt")).attributes, 34u);
    EXPECT_EQ(byName.value(QStringLiteral("link.txt")), (ListedFile{QStringLiteral("link.txt"), true, 1056u}));
    EXPECT_EQ(byName.value(QStringLiteral("dangling.txt")), (ListedFile{QStringLiteral("dangling.txt"), false, 1024u}));
    EXPECT_EQ(byName.value(QStringLiteral("pipe.txt")), (ListedFile{QStringLiteral("pipe.txt"), false, 4u}));
    EXPECT_TRUE(facts.listFilesWithFacts(path(QStringLiteral("missing/")), QStringLiteral("*.*")).isEmpty());
}

TEST_F(NativeFacts, ListedFilesOfAnUnsearchableFolderDoNotOpen)
{
    QUILLORA_SKIP_AS_ROOT();
    writeFile(path(QStringLiteral("shut/a.txt")), "x");
    ::chmod(QFile::encodeName(path(QStringLiteral("shut"))).constData(), 0600);

    const QList<ListedFile> files = facts.listFilesWithFacts(path(QStringLiteral("shut/")), QStringLiteral("*.*"));

    ::chmod(QFile::encodeName(path(QStringLiteral("shut"))).constData(), 0700);
    EXPECT_EQ(files, QList<ListedFile>({ListedFile{QStringLiteral("a.txt"), false, std::nullopt}}));
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
    const QList<ListedFile> listed = facts.listFilesWithFacts(root.path() + QChar(u'/'), QStringLiteral("*.*"));

    setImmutable(path(QStringLiteral("fixed.txt")), false);
    EXPECT_EQ(value, 33u);
    EXPECT_EQ(listed, QList<ListedFile>({ListedFile{QStringLiteral("fixed.txt"), true, 33u}}));
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
