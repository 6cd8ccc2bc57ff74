// What a result file guards when it replaces a file: the file read, its access list and attributes, other users'
// links, and a flush that fails.
#include "platform/Failure.h"
#include "platform/testing/FailingFlushes.h"
#include "results/ResultCommitter.h"
#include "results/ResultFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>

#ifndef Q_OS_WIN
#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

namespace quillora {
namespace {

using testing::readFile;
using testing::writeFile;

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The description a result's close fails with, empty when it succeeds.
QString closeFailure(ResultFile& file)
{
    try {
        file.close();
        return QString();
    } catch (const Failure& failure) {
        return failure.description();
    }
}

TEST(ResultFileGuards, AFileChangedSinceItWasReadStaysAsTheUserLeftIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.txt"));
    const QString changed = QStringLiteral("changed while it was converted, left as it is");
    struct Case
    {
        const char* name;
        bool existsAtFirst;
        // What happens to the file at path while the result is written; expected afterwards.
        std::function<void()> change;
        QStringList names;
        QByteArray kept;
        // The identity is taken before the result is opened, as a run takes it before it reads its source.
        bool givenIdentity;
    };
    const auto saveByRename = [&] {
        writeFile(folder.filePath(QStringLiteral("a.txt.new")), "the user's save");
        ASSERT_TRUE(QFile::rename(folder.filePath(QStringLiteral("a.txt.new")), path)
                    || (QFile::remove(path) && QFile::rename(folder.filePath(QStringLiteral("a.txt.new")), path)));
    };
    const QStringList one{QStringLiteral("a.txt")};
    const Case cases[] = {
        {"replaced by a rename", true, saveByRename, one, "the user's save", false},
        {"rewritten in place", true, [&] { writeFile(path, "rewritten in place"); }, one, "rewritten in place", false},
        {"removed", true, [&] { QFile::remove(path); }, {}, QByteArray(), false},
        {"created where there was none", false, [&] { writeFile(path, "created"); }, one, "created", false},
        {"changed before the result was opened", true, saveByRename, one, "the user's save", true},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        QFile::remove(path);
        if (one.existsAtFirst)
            writeFile(path, "read");
        const FileIdentity read = fileIdentity(path);
        ResultFile result(path);
        if (one.givenIdentity) {
            result.expect(read);
            one.change();
        }
        result.open();
        result.write("converted");
        if (!one.givenIdentity)
            one.change();
        EXPECT_EQ(closeFailure(result), changed);
        EXPECT_EQ(namesIn(folder.path()), one.names);
        if (!one.names.isEmpty()) {
            EXPECT_EQ(readFile(path), one.kept);
        }
    }
    // Unchanged, the result replaces it.
    writeFile(path, "read");
    ResultFile result(path);
    result.expect(fileIdentity(path));
    result.open();
    result.write("converted");
    EXPECT_EQ(closeFailure(result), QString());
    EXPECT_EQ(readFile(path), QByteArray("converted"));
}

TEST(ResultFileGuards, AFailedFlushFailsItsFilesAndNamesItsCause)
{
    QTemporaryDir root;
    struct Case
    {
        const char* name;
        bool fileData;
        bool folders;
        int error;
        QString description;
        // The old text stays where the bytes never reached the disk.
        bool oldKept;
    };
    const Case cases[] = {
        {"the bytes of each file", true, false, EIO, QStringLiteral("Device I/O error"), true},
        {"the folder after the renames", false, true, EIO, QStringLiteral("Device I/O error"), false},
        {"the bytes, with no room left", true, false, ENOSPC, QStringLiteral("Disk full"), true},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        QStringList paths;
        ResultCommitter::Group group;
        for (const char* name : {"a.txt", "b.txt"}) {
            paths.append(root.filePath(QString::fromLatin1(name)));
            writeFile(paths.back(), "old");
            ReplacingFile file;
            ASSERT_EQ(file.create(paths.back()), FileError::None);
            ASSERT_EQ(file.write("new", 3), FileError::None);
            group.push_back({std::move(file), paths.back()});
        }
        ResultCommitter::Failures failures;
        {
            FailingFlushes failing(one.fileData, one.folders, one.error);
            failures = ResultCommitter::commit(group);
        }
        ASSERT_EQ(failures.size(), paths.size());
        for (std::size_t i = 0; i < failures.size(); ++i) {
            EXPECT_EQ(failures[i].first, paths[i]);
            EXPECT_EQ(failures[i].second.description(), one.description);
            EXPECT_EQ(readFile(paths[i]), one.oldKept ? QByteArray("old") : QByteArray("new"));
        }
        EXPECT_EQ(namesIn(root.path()), QStringList({QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    }
}

#ifndef Q_OS_WIN
// Runs a tool of the acl package; false where it is missing or fails.
bool runTool(const QString& tool, const QStringList& arguments, QByteArray* output = nullptr)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return false;
    QProcess process;
    process.start(tool, arguments);
    const bool done
        = process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = process.readAllStandardOutput();
    return done;
}

QByteArray attribute(const QString& path, const char* name)
{
    char value[256];
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return size < 0 ? QByteArray() : QByteArray(value, int(size));
}

TEST(ResultFileGuards, TheAccessListAndTheAttributesOfTheOldFileAreKept)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("private.txt"));
    writeFile(path, "old");
    if (!runTool(QStringLiteral("setfacl"), {QStringLiteral("-m"), QStringLiteral("u:65534:rw,g::-,m::rw,o::-"), path}))
        GTEST_SKIP() << "no access lists here";
    if (::setxattr(QFile::encodeName(path).constData(), "user.origin", "notes", 5, 0) != 0)
        GTEST_SKIP() << "no user attributes here";
    QByteArray before;
    ASSERT_TRUE(runTool(QStringLiteral("getfacl"), {QStringLiteral("-cp"), path}, &before));
    const QFile::Permissions permissions = QFile::permissions(path);

    writeResultFile(path, "new");

    QByteArray after;
    ASSERT_TRUE(runTool(QStringLiteral("getfacl"), {QStringLiteral("-cp"), path}, &after));
    EXPECT_EQ(readFile(path), QByteArray("new"));
    EXPECT_EQ(after, before);
    EXPECT_EQ(QFile::permissions(path), permissions);
    EXPECT_EQ(attribute(path, "user.origin"), QByteArray("notes"));
}

TEST(ResultFileGuards, ANewResultTakesItsSourcesPermissionsLessTheUmask)
{
    QTemporaryDir folder;
    const mode_t umask = ::umask(022);
    struct Case
    {
        mode_t source;
        mode_t result;
    };
    const Case cases[] = {{0600, 0600}, {0640, 0640}, {0666, 0644}, {0755, 0755}};
    for (const Case& one : cases) {
        SCOPED_TRACE(one.source);
        const QString source = folder.filePath(QStringLiteral("source.txt"));
        const QString target = folder.filePath(QStringLiteral("result.txt"));
        QFile::remove(target);
        writeFile(source, "words");
        ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), one.source), 0);
        ResultFile result(target);
        result.takePermissionsFrom(source);
        result.open();
        result.close();
        struct stat made
        { };
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &made), 0);
        EXPECT_EQ(made.st_mode & 07777, one.result);
    }
    ::umask(umask);
}

TEST(ResultFileGuards, OnlyLinksOfThisUserOrOfTheFilesOwnerAreWrittenThrough)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "links of other users can be made only by root";
    QTemporaryDir folder;
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 01777), 0);
    const uid_t self = ::geteuid();
    const uid_t other = 65534;
    const QString othersLink = QStringLiteral("a link owned by another user, left as it is");
    struct Case
    {
        const char* name;
        // The owners of the links from the first to the last, and of the file they lead to (none: dangling).
        std::vector<uid_t> links;
        std::optional<uid_t> file;
        QString failure;
    };
    const Case cases[] = {
        {"another user's link to this user's file", {other}, self, othersLink},
        {"another user's link to that user's file", {other}, other, QString()},
        {"this user's link to another user's file", {self}, other, QString()},
        {"another user's dangling link", {other}, std::nullopt, othersLink},
        {"this user's dangling link", {self}, std::nullopt, QString()},
        {"this user's link to another user's link to this user's file", {self, other}, self, othersLink},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        const QString file = folder.filePath(QStringLiteral("file.txt"));
        QFile::remove(file);
        if (one.file) {
            writeFile(file, "old");
            ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0666), 0);
            ASSERT_EQ(::chown(QFile::encodeName(file).constData(), *one.file, *one.file), 0);
        }
        QString next = file;
        for (std::size_t i = one.links.size(); i-- > 0;) {
            const QString link = folder.filePath(QStringLiteral("link%1.txt").arg(i));
            QFile::remove(link);
            ASSERT_TRUE(QFile::link(next, link));
            ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), one.links[i], one.links[i]), 0);
            next = link;
        }
        QString failure;
        try {
            writeResultFile(next, "new");
        } catch (const Failure& caught) {
            failure = caught.description();
        }
        EXPECT_EQ(failure, one.failure);
        // Nothing is written where the link is refused: the file stays old, or missing.
        const QByteArray now = QFileInfo::exists(file) ? readFile(file) : QByteArray("(none)");
        EXPECT_EQ(now, !one.failure.isEmpty() && !one.file ? "(none)" : one.failure.isEmpty() ? "new" : "old");
        EXPECT_TRUE(QFileInfo(next).isSymLink());
    }
}
#endif

} // namespace
} // namespace quillora
