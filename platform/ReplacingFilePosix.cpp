// The replacing file on POSIX systems: an unnamed file (O_TMPFILE) linked under the target's name when complete, or
// under a temporary name renamed over the old file; a named temporary file where unnamed files cannot be made or
// cannot be given a name.
#include "platform/FileAttributesPosix.h"
#include "platform/FileBackupPosix.h"
#include "platform/FilesAhead.h"
#include "platform/FlushCalls.h"
#include "platform/PlacedFiles.h"
#include "platform/ReplacingFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quillora {

struct ReplacingFile::State
{
    int handle = -1;
    QByteArray target;
    // The file the new one may replace: what stood at target when it was read.
    FileIdentity expected;
    // Set while the new file has a name of its own: where unnamed files cannot be named, or between its link and
    // its rename.
    QByteArray temporary;
    // Bytes written, and the first of them whose writing to the disk has not been started yet.
    qint64 written = 0;
    qint64 unstarted = 0;
};

FlushCalls& flushCalls()
{
    static FlushCalls calls{::fdatasync, ::fsync};
    return calls;
}

namespace {
FileError errorFrom(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return FileError::NoRoom;
    case EMFILE:
    case ENFILE:
        return FileError::TooManyFiles;
    case EIO:
        return FileError::DeviceError;
    case EXDEV:
        return FileError::CrossDevice;
    case ENOENT:
    case ENOTDIR:
        return FileError::NotFound;
    default:
        return FileError::Refused;
    }
}

FileIdentity identityOf(const struct stat& status)
{
    return FileIdentity{true, quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                        qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// The file at path itself, a symbolic link not followed: what a rename to path would replace.
FileIdentity identityAt(const QByteArray& path)
{
    struct stat status
    { };
    return ::lstat(path.constData(), &status) == 0 ? identityOf(status) : FileIdentity{};
}

// The file a chain of symbolic links from path leads to, even when it does not exist yet; path itself for a loop.
// As the kernel does in sticky folders, a link is written through only where it is the process user's own or that
// of the owner of the file it leads to (a link to no file only where it is the process user's own): OthersLink
// otherwise.
FileError resolveTarget(const QString& path, QString& resolved)
{
    QFileInfo info(path);
    std::vector<uid_t> linkOwners;
    struct stat link
    { };
    while (linkOwners.size() < 40 && ::lstat(QFile::encodeName(info.absoluteFilePath()).constData(), &link) == 0
           && S_ISLNK(link.st_mode)) {
        linkOwners.push_back(link.st_uid);
        info.setFile(info.symLinkTarget());
    }
    resolved = linkOwners.size() < 40 ? info.absoluteFilePath() : QFileInfo(path).absoluteFilePath();
    struct stat file
    { };
    const bool exists = ::stat(QFile::encodeName(resolved).constData(), &file) == 0;
    for (const uid_t owner : linkOwners) {
        if (owner != ::geteuid() && (!exists || owner != file.st_uid))
            return FileError::OthersLink;
    }
    return FileError::None;
}

// A name beside target that no walk takes as a source and no list names: the mark, six random letters, a dash and
// target's own name, cut where the whole would be too long for a name.
QByteArray temporaryName(const QByteArray& target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.left(slash + 1) + temporaryResultMark.toLatin1();
    for (qsizetype i = 0; i < temporaryResultLetters; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    constexpr qsizetype longestName = 255;
    const qsizetype room = longestName - (name.size() - slash - 1) - 1;
    return name + '-' + target.mid(slash + 1).left(room);
}

// Opens a new file of its own name beside target, where unnamed files cannot be made or named.
int createNamed(const QByteArray& target, QByteArray& name)
{
    while (true) {
        name = temporaryName(target);
        const int handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
}

// How this process gives an unnamed file a name: by its handle (which older kernels allow only with the right to
// search every folder), or through its entry in /proc (which needs /proc); found out with the first unnamed file.
enum class Naming
{
    Unknown,
    ByHandle,
    ByProc,
    Impossible
};
std::atomic<Naming> naming = Naming::Unknown;

int nameUnnamed(int handle, const QByteArray& name, Naming how)
{
    if (how == Naming::ByHandle)
        return ::linkat(handle, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(handle);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
}

// Names a second unnamed file of folder both ways, and removes the name again. A failure for another reason
// than the way itself (a full disk, a folder that takes no names) tells nothing and is tried with the next file.
Naming findNaming(const QByteArray& folder)
{
    const int probe = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe < 0)
        return Naming::Unknown;
    Naming found = Naming::Impossible;
    for (const Naming how : {Naming::ByHandle, Naming::ByProc}) {
        const QByteArray name = temporaryName(folder + "/probe");
        if (nameUnnamed(probe, name, how) == 0) {
            ::unlink(name.constData());
            found = how;
            break;
        }
        if (errno != ENOENT && errno != EPERM && errno != EINVAL)
            found = Naming::Unknown;
    }
    ::close(probe);
    return found;
}

Naming namingIn(const QByteArray& folder)
{
    static std::mutex finding;
    const std::lock_guard lock(finding);
    if (naming == Naming::Unknown)
        naming = findNaming(folder);
    return naming;
}

// Puts a named new file in place of the file at target, or under target where none stands: a file that appears
// there meanwhile is not replaced.
int renameNamed(const QByteArray& name, const QByteArray& target, bool replaces)
{
    if (replaces)
        return ::rename(name.constData(), target.constData());
    const int done = ::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (done != 0 && errno == EINVAL)
        return ::rename(name.constData(), target.constData());
    return done;
}

// The errno of a failed step, as the kind the caller reports: the folder refusing a name is told as such.
FileError placementError(int error)
{
    if (error == EACCES || error == EPERM)
        return FileError::FolderRefuses;
    return error == EEXIST ? FileError::ChangedSinceRead : errorFrom(error);
}

// Puts the complete file in place of expected at target; a new file keeps a name of its own until renamed. Where
// backup is given, the file replaced is kept under that name first, so it is the very file the new one replaces.
FileError place(int handle, const QByteArray& target, const FileIdentity& expected, QByteArray& temporary,
                const QByteArray& backup)
{
    const FileIdentity current = identityAt(target);
    if (current != expected && !wasPlacedHere(target, current))
        return FileError::ChangedSinceRead;
    if (current.exists && !backup.isEmpty()) {
        const int error = keepAsBackup(target, backup, dev_t(current.device), ino_t(current.inode),
                                       [&backup] { return temporaryName(backup); });
        if (error == ESTALE)
            return FileError::ChangedSinceRead;
        if (error != 0)
            return FileError::BackupNotMade;
    }
    if (temporary.isEmpty()) {
        const Naming how = naming;
        // A new name takes the file at once; an old file is replaced by a name of the file's own renamed over it.
        if (!current.exists)
            return nameUnnamed(handle, target, how) == 0 ? FileError::None : placementError(errno);
        while (temporary.isEmpty()) {
            const QByteArray name = temporaryName(target);
            if (nameUnnamed(handle, name, how) == 0)
                temporary = name;
            else if (errno != EEXIST)
                return placementError(errno);
        }
    }
    if (renameNamed(temporary, target, current.exists) != 0)
        return placementError(errno);
    temporary.clear();
    return FileError::None;
}
} // namespace

FileIdentity fileIdentity(const QString& path)
{
    struct stat status
    { };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? identityOf(status) : FileIdentity{};
}

void ReplacingFile::Drop::operator()(State* state) const
{
    delete state;
}

FileError ReplacingFile::create(const QString& target, const QString& permissionsFrom)
{
    discard();
    QString resolved;
    if (const FileError refused = resolveTarget(target, resolved); refused != FileError::None)
        return refused;
    state_.reset(new State);
    State& state = *state_;
    state.target = QFile::encodeName(resolved);
    folder_ = QFileInfo(resolved).absolutePath();
    struct stat old
    { };
    const bool replaces = ::stat(state.target.constData(), &old) == 0;
    state.expected = replaces ? identityOf(old) : FileIdentity{};
    state.handle = takeFileMadeAhead(folder_);
    if (state.handle < 0)
        state.handle = makeUnnamedFile(folder_);
    if (state.handle < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        state.handle = createNamed(state.target, state.temporary);
    FileError error = state.handle < 0 ? errorFrom(errno) : FileError::None;
    if (error == FileError::None && replaces)
        error = keepAttributes(state.handle, state.target.constData(), old);
    else if (error == FileError::None && !permissionsFrom.isEmpty())
        takePermissions(state.handle, QFile::encodeName(permissionsFrom).constData());
    if (error != FileError::None)
        discard();
    return error;
}

void ReplacingFile::expect(const FileIdentity& identity)
{
    if (state_)
        state_->expected = identity;
}

bool ReplacingFile::hasName() const
{
    return state_ && !state_->temporary.isEmpty();
}

FileError ReplacingFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(state_->handle, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return errorFrom(written < 0 ? errno : ENOSPC);
        data += written;
        size -= written;
        state_->written += written;
    }
#ifdef SYNC_FILE_RANGE_WRITE
    // A large result starts going to the disk while the rest is converted, so the flush at its end has less to do.
    constexpr qint64 writebackStep = qint64(8) << 20;
    if (state_->written - state_->unstarted >= writebackStep) {
        (void)::sync_file_range(state_->handle, state_->unstarted, state_->written - state_->unstarted,
                                SYNC_FILE_RANGE_WRITE);
        state_->unstarted = state_->written;
    }
#endif
    return FileError::None;
}

void ReplacingFile::startWriteback()
{
#ifdef SYNC_FILE_RANGE_WRITE
    (void)::sync_file_range(state_->handle, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

FileError ReplacingFile::flushData()
{
    while (flushCalls().fileData(state_->handle) != 0) {
        if (errno != EINTR)
            return errorFrom(errno);
    }
    return FileError::None;
}

FileError ReplacingFile::putInPlace()
{
    State& state = *state_;
    const QByteArray backup = backupSuffix_.isEmpty() ? QByteArray() : state.target + QFile::encodeName(backupSuffix_);
    const FileError error = place(state.handle, state.target, state.expected, state.temporary, backup);
    struct stat placed
    { };
    if (error == FileError::None && ::fstat(state.handle, &placed) == 0)
        rememberPlaced(state.target, identityOf(placed));
    discard();
    return error;
}

void ReplacingFile::discard()
{
    if (!state_)
        return;
    if (state_->handle >= 0)
        ::close(state_->handle);
    if (!state_->temporary.isEmpty())
        ::unlink(state_->temporary.constData());
    state_.reset();
}

int makeUnnamedFile(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (naming != Naming::Unknown ? naming == Naming::Impossible : namingIn(name) == Naming::Impossible) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return ::open(name.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

void closeUnnamedFile(int handle)
{
    ::close(handle);
}

FileError flushFolder(const QString& folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder this process may not read is left to the system.
    if (handle < 0)
        return errno == EACCES ? FileError::None : errorFrom(errno);
    int done = 0;
    while ((done = flushCalls().folder(handle)) != 0 && errno == EINTR) { }
    const int error = errno;
    ::close(handle);
    // A file system that cannot flush a folder on its own writes its renames through.
    return done == 0 || error == EINVAL || error == EROFS ? FileError::None : errorFrom(error);
}

} // namespace quillora
