// Backups by a second link, or by a copy where the file system takes no links.
#include "platform/FileBackupPosix.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {

namespace {
int copyBytes(int from, int to)
{
    char buffer[1 << 16];
    while (true) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : 0;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return errno;
            done += put;
        }
    }
}

// A copy of the file open as from, with its permissions, owner and times, made durable.
int copyInto(int from, const struct stat& status, int to)
{
    if (const int error = copyBytes(from, to))
        return error;
    // Mode and times while the copy is still this process's own; then the owner, where this process may give files
    // away, which clears set-id bits that the mode then puts back.
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    if (::fchmod(to, status.st_mode & 07777) != 0 || ::futimens(to, times) != 0)
        return errno;
    if (::fchown(to, status.st_uid, status.st_gid) == 0 && (status.st_mode & 06000) != 0)
        (void)::fchmod(to, status.st_mode & 07777);
    return ::fsync(to) == 0 ? 0 : errno;
}

// A second link to path under spare, checked to be the expected file; EXDEV, EPERM and the like when the file system
// takes no links.
int linkAs(const QByteArray& path, const QByteArray& spare, dev_t device, ino_t inode)
{
    if (::link(path.constData(), spare.constData()) != 0)
        return errno;
    struct stat status
    { };
    if (::lstat(spare.constData(), &status) == 0 && status.st_dev == device && status.st_ino == inode)
        return 0;
    ::unlink(spare.constData());
    return ESTALE;
}
} // namespace

int copyAsBackup(const QByteArray& path, const QByteArray& spare, dev_t device, ino_t inode)
{
    const int from = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (from < 0)
        return errno;
    struct stat status
    { };
    int error = ::fstat(from, &status) != 0 ? errno : 0;
    if (error == 0 && (status.st_dev != device || status.st_ino != inode))
        error = ESTALE;
    const int to = error ? -1 : ::open(spare.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (error == 0 && to < 0)
        error = errno;
    if (to >= 0) {
        error = copyInto(from, status, to);
        ::close(to);
        if (error)
            ::unlink(spare.constData());
    }
    ::close(from);
    return error;
}

int keepAsBackup(const QByteArray& path, const QByteArray& backup, dev_t device, ino_t inode,
                 const std::function<QByteArray()>& spareName)
{
    QByteArray spare;
    int error = EEXIST;
    while (error == EEXIST) {
        spare = spareName();
        error = linkAs(path, spare, device, inode);
    }
    // A file system without links for this file (FAT, a link count at its limit, a file protected from links).
    if (error != 0 && error != ESTALE && error != ENOENT && error != EACCES) {
        error = EEXIST;
        while (error == EEXIST) {
            spare = spareName();
            error = copyAsBackup(path, spare, device, inode);
        }
    }
    if (error != 0)
        return error;
    if (::rename(spare.constData(), backup.constData()) != 0) {
        error = errno;
        ::unlink(spare.constData());
    }
    return error;
}

} // namespace quillora
