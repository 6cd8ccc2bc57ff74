// A new file written beside the file it replaces and put in its place whole, in the platform's own calls.
#pragma once

#include "platform/FileIdentity.h"

#include <QString>
#include <QStringView>
#include <memory>

namespace quillora {

// Why a call on a replacing file failed.
enum class FileError
{
    None,
    // The disk or the user's quota has no room.
    NoRoom,
    // The process, or the system, has no more file handles.
    TooManyFiles,
    // The folder takes no new names: the old file cannot be replaced.
    FolderRefuses,
    // The disk failed to read, write or flush.
    DeviceError,
    // The new file and the old one are on different file systems.
    CrossDevice,
    // The folder, or a folder on the way to it, is gone.
    NotFound,
    // The file at the target is no longer the one that was read: left as the user left it.
    ChangedSinceRead,
    // The target is reached through a symbolic link of another user: it is not written through.
    OthersLink,
    // The old file's access list or extended attributes could not be given to the new one.
    AttributesNotKept,
    // The backup of the old file could not be made: the old file stays in place.
    BackupNotMade,
    // Anything else: no permission, a read-only file system.
    Refused
};

class ReplacingFile
{
public:
    ReplacingFile();
    ~ReplacingFile();
    ReplacingFile(ReplacingFile&& other) noexcept;
    ReplacingFile& operator=(ReplacingFile&& other) noexcept;

    // Creates the new file in the folder of target (of the file a symbolic link leads to, the link staying),
    // unseen under any name where the system allows, taken from the files made ahead (FilesAhead) when one is ready
    // there; it takes the old file's permissions, access list and extended attributes and, where this process may
    // set them, its owner and group. Where there is no old file, it takes the permissions of permissionsFrom (less
    // the umask) when given. A link on the way that another user owns is not written through (OthersLink). The old
    // file as it is now is the one the new file may replace.
    FileError create(const QString& target, const QString& permissionsFrom = QString());
    // Replaces the file expected at the target: the new file goes in place only while the target is still that
    // file (or still no file), else putInPlace fails with ChangedSinceRead.
    void expect(const FileIdentity& identity);
    // Keeps the file the new one replaces under its own name followed by suffix, made right before the new file
    // goes in place: a second name for the same file where the file system allows, else a copy with its bytes,
    // permissions and times. An older file of that name is replaced. Empty: no backup.
    void keepBackup(const QString& suffix) { backupSuffix_ = suffix; }
    FileError write(const char* data, qint64 size);
    // Starts writing the bytes to the disk and returns at once.
    void startWriteback();
    // Returns once the bytes are on the disk.
    FileError flushData();
    // Puts the file in place of the old one in one step and closes it; after a failure nothing is left behind.
    FileError putInPlace();
    // Drops the new file; the old one stays as it was.
    void discard();

    bool isOpen() const;
    // True while the new file has a name of its own, which a kill would leave behind.
    bool hasName() const;
    // The folder the file goes to.
    QString folder() const;

private:
    // The open file, each platform's own.
    struct State;
    struct Drop
    {
        void operator()(State* state) const;
    };
    std::unique_ptr<State, Drop> state_;
    QString folder_;
    QString backupSuffix_;
};

// Flushes a folder to the disk: a rename in it is then durable once this returns None.
FileError flushFolder(const QString& folder);

// The names of new files not yet in place start with the mark (a dot hides them), six letters and a dash, then the
// result's name; no walk takes them as sources.
inline constexpr QStringView temporaryResultMark = u".quillora-";
inline constexpr qsizetype temporaryResultLetters = 6;
bool isTemporaryResultName(QStringView name);

} // namespace quillora
