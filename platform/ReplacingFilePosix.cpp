// The replacing file on POSIX systems: an unnamed file (O_TMPFILE) linked under the target's name when complete, or
// under a temporary name renamed over the old file; a named temporary file where unnamed ones are not supported.
#include "platform/FilesAhead.h"
#include "platform/ReplacingFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {

struct ReplacingFile::State
{
    int handle = -1;
    QByteArray target;
    // An old file stands at target.
    bool replaces = false;
    // Set while the new file has a name of its own: where unnamed files are not supported, or between its link
    // and its rename.
    QByteArray temporary;
    // Bytes written, and the first of them whose writing to the disk has not been started yet.
    qint64 written = 0;
    qint64 unstarted = 0;
    std::optional<FileIdentity> expected;
};

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

// The file a chain of symbolic links leads to, even when it does not exist yet; path itself for a loop.
QString finalTarget(const QString& path)
{
    QFileInfo info(path);
    int depth = 128;
    while (--depth > 0 && info.isSymLink())
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.absoluteFilePath() : QFileInfo(path).absoluteFilePath();
}

// target with a dot and six random letters: a name beside it that nothing of the list is called.
QByteArray temporaryName(const QByteArray& target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = target + '.';
    for (int i = 0; i < 6; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    return name;
}

// Opens a new file of its own name beside target, as the fallback where unnamed files are not supported.
int createNamed(const QByteArray& target, QByteArray& name)
{
    while (true) {
        name = temporaryName(target);
        const int handle = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
}

// Gives the unnamed file of handle the name; fails with EEXIST where the name is taken.
int linkUnnamed(int handle, const QByteArray& name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(handle);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
}
} // namespace

void ReplacingFile::Drop::operator()(State* state) const
{
    delete state;
}

FileError ReplacingFile::create(const QString& target, FilesAhead* ahead)
{
    discard();
    std::unique_ptr<State, Drop> state(new State);
    const QString resolved = finalTarget(target);
    state->target = QFile::encodeName(resolved);
    folder_ = QFileInfo(resolved).absolutePath();
    state->handle = ahead ? ahead->take(folder_) : -1;
    if (state->handle < 0)
        state->handle = makeUnnamedFile(folder_);
    // Without /proc an unnamed file cannot be given a name: the new file gets one of its own from the start.
    if (state->handle >= 0 && ::access("/proc/self/fd", F_OK) != 0) {
        ::close(state->handle);
        state->handle = -1;
        errno = EOPNOTSUPP;
    }
    if (state->handle < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        state->handle = createNamed(state->target, state->temporary);
    if (state->handle < 0)
        return errorFrom(errno);
    struct stat old
    { };
    state->replaces = ::stat(state->target.constData(), &old) == 0;
    if (state->replaces) {
        // The owner before the permissions: a change of owner may clear the set-user-ID and set-group-ID bits.
        if (::fchown(state->handle, old.st_uid, old.st_gid) != 0)
            (void)::fchown(state->handle, uid_t(-1), old.st_gid);
        (void)::fchmod(state->handle, old.st_mode & 07777);
    }
    state_ = std::move(state);
    return FileError::None;
}

void ReplacingFile::expect(const FileIdentity& identity)
{
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
    while (::fdatasync(state_->handle) != 0) {
        if (errno != EINTR)
            return errorFrom(errno);
    }
    return FileError::None;
}

FileError ReplacingFile::putInPlace()
{
    State& state = *state_;
    if (state.expected && fileIdentity(QFile::decodeName(state.target)) != *state.expected) {
        discard();
        return FileError::ChangedSinceRead;
    }
    int error = 0;
    if (state.temporary.isEmpty()) {
        // A new name takes the file at once; an old file is replaced by a name of the file's own renamed over it.
        error = EEXIST;
        if (!state.replaces) {
            if (linkUnnamed(state.handle, state.target) == 0) {
                discard();
                return FileError::None;
            }
            error = errno;
        }
        while (error == EEXIST) {
            const QByteArray name = temporaryName(state.target);
            error = linkUnnamed(state.handle, name) == 0 ? 0 : errno;
            if (error == 0)
                state.temporary = name;
        }
    }
    if (error == 0 && ::rename(state.temporary.constData(), state.target.constData()) != 0)
        error = errno;
    if (error == 0)
        state.temporary.clear();
    discard();
    if (error == EACCES || error == EPERM)
        return FileError::FolderRefuses;
    return error == 0 ? FileError::None : errorFrom(error);
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

FileIdentity fileIdentity(const QString& path)
{
    struct stat status
    { };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

int makeUnnamedFile(const QString& folder)
{
    return ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

void closeUnnamedFile(int handle)
{
    ::close(handle);
}

void flushFolder(const QString& folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

} // namespace quillora
