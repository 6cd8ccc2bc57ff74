// The spool is made with O_TMPFILE, or made and unlinked at once, and read back through /dev/fd; reads and writes
// go through the stop signals' doors so that a signal ends even a wait on a pipe.
#include "platform/Failure.h"
#include "platform/StandardStreams.h"
#include "platform/StopSignals.h"
#include "platform/UnlessStoppedPosix.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace quillora {

namespace {
constexpr qsizetype spoolPieceBytes = 1 << 20;

// Writes all of bytes to fd, going on after a short write; a stop signal ends even a write that waits on a full
// pipe.
void writeAll(int fd, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = writeUnlessStopped(fd, bytes.data(), size_t(bytes.size()));
        if (written < 0) {
            stopIfSignalled();
            if (errno == EINTR)
                continue;
            if (errno == EPIPE)
                throw Failure(QStringLiteral("Broken pipe"));
            throw errno == ENOSPC ? Failure::diskFull() : Failure::deviceIo();
        }
        bytes = bytes.sliced(written);
    }
}
} // namespace

StandardInputSpool::StandardInputSpool()
{
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
#ifdef O_TMPFILE
    handle_ = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
#endif
    if (handle_ < 0) {
        QByteArray name = folder + "/quillora-stdin-XXXXXX";
        handle_ = ::mkostemp(name.data(), O_CLOEXEC);
        if (handle_ >= 0)
            ::unlink(name.constData());
    }
    if (handle_ < 0)
        throw Failure::permissionDenied();
}

StandardInputSpool::~StandardInputSpool()
{
    ::close(int(handle_));
}

void StandardInputSpool::fill()
{
    QByteArray piece(spoolPieceBytes, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = readUnlessStopped(STDIN_FILENO, piece.data(), size_t(piece.size()));
        stopIfSignalled();
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Failure::deviceIo();
        }
        writeAll(int(handle_), QByteArrayView(piece).first(got));
    }
}

QString StandardInputSpool::path() const
{
    return QStringLiteral("/dev/fd/%1").arg(handle_);
}

void writeStandardOutput(QByteArrayView bytes)
{
    writeAll(STDOUT_FILENO, bytes);
}

} // namespace quillora
