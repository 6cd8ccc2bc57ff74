// Result files are written unseen beside their target and put in its place whole, the bytes flushed first.
#include "results/ResultFile.h"

#include "results/ResultCommitter.h"
#include "results/ResultFailure.h"

#include <QFileInfo>

namespace quillora {

ResultFile::ResultFile(QString path)
    : path_(std::move(path))
{ }

void ResultFile::open()
{
    const QFileInfo info(path_);
    if (path_.isEmpty() || info.isDir())
        throw Failure::permissionDenied();
    if (!QFileInfo(info.absolutePath()).isDir())
        throw Failure::pathNotFound();
    if (info.exists() && !info.isWritable())
        throw Failure::permissionDenied();
    const FileError error = file_.create(path_, permissionsFrom_);
    if (error == FileError::None) {
        if (expected_)
            file_.expect(*expected_);
        file_.keepBackup(backupSuffix_);
        return;
    }
    // The new file is made beside the old one and renamed over it, so the folder must take new files; a disk
    // without room for one more file refuses to create it.
    const bool folderRefuses
        = error == FileError::Refused && info.exists() && !QFileInfo(info.absolutePath()).isWritable();
    throw resultFailure(folderRefuses ? FileError::FolderRefuses : error, info.absolutePath());
}

void ResultFile::write(QByteArrayView bytes)
{
    if (!file_.isOpen())
        throw Failure::invalidArgument();
    const FileError error = file_.write(bytes.data(), bytes.size());
    if (error != FileError::None) {
        file_.discard();
        throw resultFailure(error, QFileInfo(path_).absolutePath());
    }
}

void ResultFile::restart()
{
    file_.discard();
    open();
}

void ResultFile::close()
{
    if (!file_.isOpen())
        throw Failure::invalidArgument();
    ResultCommitter::Group group;
    group.push_back({std::move(file_), QString()});
    const ResultCommitter::Failures failures = ResultCommitter::commit(group);
    if (!failures.empty())
        throw failures.front().second;
}

void ResultFile::close(ResultCommitter& committer, const QString& source)
{
    if (!file_.isOpen())
        throw Failure::invalidArgument();
    committer.queue(std::move(file_), source);
}

void writeResultFile(const QString& path, QByteArrayView bytes)
{
    ResultFile file(path);
    file.open();
    file.write(bytes);
    file.close();
}

} // namespace quillora
