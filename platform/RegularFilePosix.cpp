// Opens without waiting and checks the kind of file through its descriptor before Qt takes it over.
#include "platform/Failure.h"
#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {

namespace {
bool openWithoutWaiting(QFile& file, QIODevice::OpenMode extra)
{
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0
        || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
} // namespace

bool openRegularFile(QFile& file, QIODevice::OpenMode extra)
{
    errno = 0;
    if (openWithoutWaiting(file, extra))
        return true;
    // The file itself may be fine.
    if (errno == EMFILE || errno == ENFILE)
        throw Failure::tooManyFiles();
    return false;
}

void throwHiddenOpenFailure(const QString& path)
{
    // A file in a folder that may not be searched looks missing; the system tells the real cause.
    struct stat status;
    const int found = ::stat(QFile::encodeName(path).constData(), &status);
    if (found != 0 && errno == EACCES)
        throw Failure::permissionDenied();
    if (found == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))
        throw Failure::notAFile();
}

} // namespace quillora
