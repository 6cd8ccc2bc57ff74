// A value's file is looked at before it is opened, so that a pipe or device in its place is never opened at all,
// and opened without blocking in case one was put there in between.
#include "platform/SettingsValueFile.h"

#include "platform/Failure.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillora {

namespace {
StoredValue unreadable(const Failure& reason)
{
    return StoredValue{StoredValue::State::Unreadable, QByteArray(), reason.description()};
}

#ifndef Q_OS_WIN
StoredValue failed(int error)
{
    switch (error) {
    case ENOENT:
        return StoredValue{};
    case EACCES:
    case EPERM:
        return unreadable(Failure::permissionDenied());
    case EIO:
        return unreadable(Failure::deviceIo());
    case EMFILE:
    case ENFILE:
        return unreadable(Failure::tooManyFiles());
    case ENOMEM:
        return unreadable(Failure::outOfMemory());
    default:
        return unreadable(Failure::notAFile());
    }
}

StoredValue readOpenFile(int fd)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return failed(errno);
    if (!S_ISREG(status.st_mode))
        return unreadable(Failure::notAFile());
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return StoredValue{StoredValue::State::Stored, bytes, QString()};
        if (got < 0 && errno != EINTR)
            return failed(errno);
        if (got > 0)
            bytes.append(buffer, got);
    }
}
#endif
} // namespace

StoredValue readSettingsValueFile(const QString& path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists())
        return StoredValue{};
    if (!info.isFile())
        return unreadable(Failure::notAFile());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(Failure::permissionDenied());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable(Failure::deviceIo());
    return StoredValue{StoredValue::State::Stored, std::move(bytes), QString()};
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return failed(errno);
    if (!S_ISREG(status.st_mode))
        return unreadable(Failure::notAFile());
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failed(errno);
    StoredValue value = readOpenFile(fd);
    ::close(fd);
    return value;
#endif
}

} // namespace quillora
