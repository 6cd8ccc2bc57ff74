// The replacing file where the POSIX calls are missing: QSaveFile writes a temporary file beside the target and
// flushes it before it renames it over the old one.
#include "platform/FilesAhead.h"
#include "platform/ReplacingFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace quillora {

struct ReplacingFile::State
{
    explicit State(const QString& target)
        : file(target)
    { }
    QSaveFile file;
};

namespace {
FileError errorFrom(const QSaveFile& file)
{
    return file.error() == QFileDevice::ResourceError ? FileError::NoRoom : FileError::Refused;
}
} // namespace

void ReplacingFile::Drop::operator()(State* state) const
{
    delete state;
}

FileError ReplacingFile::create(const QString& target, FilesAhead*)
{
    discard();
    std::unique_ptr<State, Drop> state(new State(target));
    folder_ = QFileInfo(target).absolutePath();
    if (!state->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return errorFrom(state->file);
    const QFileInfo old(target);
    if (old.exists())
        state->file.setPermissions(old.permissions());
    state_ = std::move(state);
    return FileError::None;
}

FileError ReplacingFile::write(const char* data, qint64 size)
{
    return state_->file.write(data, size) == size ? FileError::None : errorFrom(state_->file);
}

void ReplacingFile::startWriteback() { }

FileError ReplacingFile::flushData()
{
    // The commit flushes the bytes before it renames.
    return FileError::None;
}

FileError ReplacingFile::putInPlace()
{
    const bool done = state_->file.commit();
    const FileError error = done ? FileError::None : errorFrom(state_->file);
    state_.reset();
    return error;
}

void ReplacingFile::discard()
{
    if (state_)
        state_->file.cancelWriting();
    state_.reset();
}

int makeUnnamedFile(const QString&)
{
    // Every new file here has a name.
    return -1;
}

void closeUnnamedFile(int) { }

void flushFolder(const QString&)
{
    // The system writes a rename through before it returns.
}

} // namespace quillora
