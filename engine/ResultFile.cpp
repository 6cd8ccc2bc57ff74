// Result files go through QSaveFile: a temporary file beside the target, renamed over it when complete.
#include "engine/ResultFile.h"

#include "engine/FolderFlusher.h"
#include "platform/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace quillora {

namespace {
// A write that stops short sets no error of its own; a disk with less room than the write asked for is full.
[[noreturn]] void throwWriteFailure(const QString& reason, bool noRoom = false)
{
    if (noRoom || reason.contains(QStringLiteral("No space"), Qt::CaseInsensitive))
        throw Failure::diskFull();
    throw Failure::permissionDenied();
}

// Gives the new file the old one's owner and group where this process may; otherwise it keeps what it was
// created with, as when the owner cannot be changed at all.
void keepOwner(QSaveFile& file, const QFileInfo& old)
{
#ifndef Q_OS_WIN
    if (::fchown(file.handle(), old.ownerId(), old.groupId()) != 0)
        (void)::fchown(file.handle(), uid_t(-1), old.groupId());
#else
    Q_UNUSED(file);
    Q_UNUSED(old);
#endif
}
} // namespace

ResultFile::ResultFile(QString path)
    : path_(std::move(path))
{ }

ResultFile::~ResultFile()
{
    if (file_)
        file_->cancelWriting();
}

bool ResultFile::isOpen() const
{
    return file_ != nullptr;
}

void ResultFile::open()
{
    const QFileInfo info(path_);
    if (path_.isEmpty() || info.isDir())
        throw Failure::permissionDenied();
    if (!QFileInfo(info.absolutePath()).isDir())
        throw Failure::pathNotFound();
    if (info.exists() && !info.isWritable())
        throw Failure::permissionDenied();
    auto file = std::make_unique<QSaveFile>(path_);
    // Unbuffered, so that a write fails in the write itself, while the part written still fills the disk.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // The new file is made beside the old one and renamed over it, so the folder must take new files.
        if (info.exists() && !QFileInfo(info.absolutePath()).isWritable())
            throw Failure::permissionDeniedInFolder(QDir::toNativeSeparators(info.absolutePath() + u'/'));
        // A disk without room for one more file refuses to create the new one.
        throwWriteFailure(file->errorString());
    }
    if (info.exists()) {
        // Before the permissions: a change of owner may clear the set-user-ID and set-group-ID bits.
        keepOwner(*file, info);
        file->setPermissions(info.permissions());
    }
    file_ = std::move(file);
}

void ResultFile::write(QByteArrayView bytes)
{
    if (!file_)
        throw Failure::invalidArgument();
    if (file_->write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file_->errorString();
        const bool noRoom = QStorageInfo(QFileInfo(path_).absolutePath()).bytesAvailable() < bytes.size();
        file_->cancelWriting();
        file_.reset();
        throwWriteFailure(reason, noRoom);
    }
}

void ResultFile::restart()
{
    if (file_)
        file_->cancelWriting();
    file_.reset();
    open();
}

void ResultFile::close(FolderFlusher* flusher)
{
    if (!file_)
        throw Failure::invalidArgument();
    std::unique_ptr<QSaveFile> file = std::move(file_);
    if (!file->commit())
        throwWriteFailure(file->errorString());
    // QSaveFile flushes the new file's bytes before it renames the file over the old one, but not the rename:
    // until the folder is flushed too, a crash may bring back the old file.
    const QString folder = QFileInfo(path_).absolutePath();
    if (flusher)
        flusher->flush(folder);
    else
        flushFolder(folder);
}

void writeResultFile(const QString& path, QByteArrayView bytes)
{
    ResultFile file(path);
    file.open();
    file.write(bytes);
    file.close();
}

} // namespace quillora
