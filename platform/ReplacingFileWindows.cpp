// The replacing file where the POSIX calls are missing: QSaveFile writes a temporary file beside the target and
// flushes it before it renames it over the old one.
#include "platform/FilesAhead.h"
#include "platform/FlushCalls.h"
#include "platform/PlacedFiles.h"
#include "platform/ReplacingFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <string>
#include <windows.h>

namespace quillora {

struct ReplacingFile::State
{
    explicit State(const QString& target)
        : file(target)
    { }
    QSaveFile file;
    // The file the new one may replace.
    FileIdentity expected;
};

FlushCalls& flushCalls()
{
    // Nothing here is flushed but by QSaveFile.
    static FlushCalls calls{[](int) { return 0; }, [](int) { return 0; }};
    return calls;
}

FileIdentity fileIdentity(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileIdentity{};
    return FileIdentity{true, 0, 0, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000};
}

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

FileError ReplacingFile::create(const QString& target, const QString& permissionsFrom)
{
    discard();
    std::unique_ptr<State, Drop> state(new State(target));
    folder_ = QFileInfo(target).absolutePath();
    if (!state->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return errorFrom(state->file);
    state->expected = fileIdentity(target);
    const QFileInfo old(state->expected.exists ? target : permissionsFrom);
    if (old.exists())
        state->file.setPermissions(old.permissions());
    state_ = std::move(state);
    return FileError::None;
}

void ReplacingFile::expect(const FileIdentity& identity)
{
    if (state_)
        state_->expected = identity;
}

bool ReplacingFile::hasName() const
{
    return state_ != nullptr;
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

namespace {
// Keeps the file at target under backup: a second link where the file system allows, else a copy, made under a
// spare name that no walk takes and renamed over any older backup.
bool keepAsBackup(const QString& target, const QString& backup)
{
    const QFileInfo info(backup);
    const QString spare
        = info.path() + u'/' + temporaryResultMark.toString() + QStringLiteral("backup-") + info.fileName();
    const std::wstring from = QDir::toNativeSeparators(target).toStdWString();
    const std::wstring kept = QDir::toNativeSeparators(backup).toStdWString();
    const std::wstring made = QDir::toNativeSeparators(spare).toStdWString();
    ::DeleteFileW(made.c_str());
    if (!::CreateHardLinkW(made.c_str(), from.c_str(), nullptr) && !::CopyFileW(from.c_str(), made.c_str(), TRUE))
        return false;
    if (::MoveFileExW(made.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    ::DeleteFileW(made.c_str());
    return false;
}
} // namespace

FileError ReplacingFile::putInPlace()
{
    const QString target = state_->file.fileName();
    const FileIdentity current = fileIdentity(target);
    if (current != state_->expected && !wasPlacedHere(QFile::encodeName(target), current)) {
        discard();
        return FileError::ChangedSinceRead;
    }
    if (current.exists && !backupSuffix_.isEmpty() && !keepAsBackup(target, target + backupSuffix_)) {
        discard();
        return FileError::BackupNotMade;
    }
    const bool done = state_->file.commit();
    if (done)
        rememberPlaced(QFile::encodeName(target), fileIdentity(target));
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

FileError flushFolder(const QString&)
{
    // The system writes a rename through before it returns.
    return FileError::None;
}

} // namespace quillora
