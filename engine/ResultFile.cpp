// Result files go through QSaveFile: a temporary file beside the target, renamed over it when complete.
#include "engine/ResultFile.h"

#include "platform/Failure.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace quillora {

namespace {
// A write that stops short sets no error of its own; a disk with less room than the write asked for is full.
[[noreturn]] void throwWriteFailure(const QString& reason, bool noRoom = false)
{
    if (noRoom || reason.contains(QStringLiteral("No space"), Qt::CaseInsensitive))
        throw Failure::diskFull();
    throw Failure::permissionDenied();
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
    // A disk without room for one more file refuses to create the new one.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throwWriteFailure(file->errorString());
    if (info.exists())
        file->setPermissions(info.permissions());
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

void ResultFile::close()
{
    if (!file_)
        throw Failure::invalidArgument();
    std::unique_ptr<QSaveFile> file = std::move(file_);
    if (!file->commit())
        throwWriteFailure(file->errorString());
}

void writeResultFile(const QString& path, QByteArrayView bytes)
{
    ResultFile file(path);
    file.open();
    file.write(bytes);
    file.close();
}

} // namespace quillora
