// File facts from POSIX calls, with the attribute values of the Windows platform.
#include "platform/Failure.h"
#include "platform/NameBytes.h"
#include "platform/NativeFileFacts.h"
#include "platform/WildcardMatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#endif

namespace quillora {

namespace {
QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QByteArray withFinalSlash(const QString& folder)
{
    QByteArray path = encoded(folder);
    if (!path.endsWith('/'))
        path.append('/');
    return path;
}

bool isDotEntry(const char* name)
{
    return (name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0');
}

// The entries of one folder with the kind the listing gives, "." and ".." left out. On Linux they come straight
// from getdents64, which spares the status read that opendir() adds to every folder.
class FolderEntries
{
public:
    explicit FolderEntries(const QByteArray& folder)
    {
#ifdef __linux__
        fd_ = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        error_ = fd_ < 0 ? errno : 0;
#else
        dir_ = ::opendir(folder.constData());
        error_ = dir_ ? 0 : errno;
        fd_ = dir_ ? ::dirfd(dir_) : -1;
#endif
    }
    ~FolderEntries()
    {
#ifdef __linux__
        if (fd_ >= 0)
            ::close(fd_);
#else
        if (dir_)
            ::closedir(dir_);
#endif
    }
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    bool opened() const
    {
        return fd_ >= 0;
    }
    int openError() const
    {
        return error_;
    }
    int fd() const
    {
        return fd_;
    }

    // The next entry's name and kind (a DT_ value); false after the last.
    bool next(const char*& name, unsigned char& type)
    {
#ifdef __linux__
        struct Entry
        {
            quint64 inode;
            qint64 offset;
            unsigned short length;
            unsigned char type;
            char name[1];
        };
        for (;;) {
            if (at_ >= size_) {
                if (fd_ < 0)
                    return false;
                const long read = ::syscall(SYS_getdents64, fd_, buffer_, sizeof buffer_);
                if (read <= 0)
                    return false;
                size_ = int(read);
                at_ = 0;
            }
            const auto* entry = reinterpret_cast<const Entry*>(buffer_ + at_);
            at_ += entry->length;
            if (isDotEntry(entry->name))
                continue;
            name = entry->name;
            type = entry->type;
            return true;
        }
#else
        while (dir_) {
            const dirent* entry = ::readdir(dir_);
            if (!entry)
                return false;
            if (isDotEntry(entry->d_name))
                continue;
            name = entry->d_name;
            type = entry->d_type;
            return true;
        }
        return false;
#endif
    }

private:
    int fd_ = -1;
    int error_ = 0;
#ifdef __linux__
    int size_ = 0;
    int at_ = 0;
    alignas(8) char buffer_[32 * 1024];
#else
    DIR* dir_ = nullptr;
#endif
};

// Whether an entry is a folder, following links as the platform's folder objects do.
bool entryIsFolder(int folder, const char* name, unsigned char type)
{
    if (type == DT_DIR)
        return true;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return false;
    struct stat info;
    return ::fstatat(folder, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// What one status read of an entry tells: its kind and mode, its owner and, on Linux, its mount and whether it
// is known not to be immutable.
struct Status
{
    mode_t mode = 0;
    uid_t owner = 0;
    std::optional<quint64> mount;
    bool knownMutable = false;
};

// Reads the status of name, relative to the folder fd (or the current folder with AT_FDCWD).
bool readStatus(int folder, const char* name, bool followLink, Status& status)
{
#ifdef __linux__
    struct statx info;
    const int flags = (followLink ? 0 : AT_SYMLINK_NOFOLLOW) | (name[0] == '\0' ? AT_EMPTY_PATH : 0);
    if (::statx(folder, name, flags, STATX_TYPE | STATX_MODE | STATX_UID | STATX_MNT_ID, &info) != 0)
        return false;
    status.mode = info.stx_mode;
    status.owner = info.stx_uid;
    if (info.stx_mask & STATX_MNT_ID)
        status.mount = info.stx_mnt_id;
    status.knownMutable
        = (info.stx_attributes_mask & STATX_ATTR_IMMUTABLE) != 0 && (info.stx_attributes & STATX_ATTR_IMMUTABLE) == 0;
    return true;
#else
    struct stat info;
    if (::fstatat(folder, name, &info, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    status.mode = info.st_mode;
    status.owner = info.st_uid;
    return true;
#endif
}

// The entry itself, and what it leads to when it is a link (a link that leads nowhere describes itself).
bool look(int folder, const char* name, Status& link, Status& target)
{
    if (!readStatus(folder, name, false, link))
        return false;
    if (!S_ISLNK(link.mode) || !readStatus(folder, name, true, target))
        target = link;
    return true;
}

// True when the kernel refuses the user write access. Only a refusal makes an entry read-only; a link that
// leads nowhere is not.
bool refusesWriting(int folder, const char* name)
{
    return ::faccessat(folder, name, W_OK, 0) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM);
}

// The attribute value of an entry from its look; leaf is its own name.
quint32 attributeValue(const Status& link, const Status& target, QByteArrayView leaf, bool readOnly)
{
    quint32 value = 0;
    if (S_ISLNK(link.mode))
        value |= attribute::reparsePoint;
    if (S_ISDIR(target.mode))
        value |= attribute::directory;
    else if (S_ISREG(target.mode))
        value |= attribute::archive;
    else if (!S_ISLNK(target.mode))
        value |= attribute::system;
    if (leaf.startsWith('.') && leaf != "." && leaf != "..")
        value |= attribute::hidden;
    if (readOnly)
        value |= attribute::readOnly;
    return value;
}

// Within one listing: whether an entry's status alone shows that the user may write it, so the kernel need not
// be asked again for every file. It does for the user's own file with the owner's write bit, not immutable, on
// the folder's own mount when that is a local file system mounted for writing. Anything else is asked.
class WriteShortcut
{
public:
    explicit WriteShortcut(int folder)
    {
#ifdef __linux__
        Status own;
        struct statfs system;
        if (user_ != ::geteuid() || !readStatus(folder, "", true, own) || !own.mount || ::fstatfs(folder, &system) != 0)
            return;
        mount_ = own.mount;
        usable_ = (system.f_flags & ST_RDONLY) == 0 && isLocalFileSystem(system.f_type);
#else
        (void)folder;
#endif
    }

    bool showsWritable(const Status& target) const
    {
        return usable_ && S_ISREG(target.mode) && target.owner == user_ && (target.mode & S_IWUSR) != 0
            && target.knownMutable && target.mount == mount_;
    }

private:
#ifdef __linux__
    static bool isLocalFileSystem(decltype(statfs::f_type) type)
    {
        switch (type) {
        case EXT4_SUPER_MAGIC: // ext2 and ext3 too
        case XFS_SUPER_MAGIC:
        case BTRFS_SUPER_MAGIC:
        case TMPFS_MAGIC:
        case F2FS_SUPER_MAGIC:
            return true;
        default:
            return false;
        }
    }
#endif

    uid_t user_ = ::getuid();
    std::optional<quint64> mount_;
    bool usable_ = false;
};

bool everyName(const QString& pattern)
{
    return pattern == u"*" || pattern == u"*.*";
}
} // namespace

bool NativeFileFacts::dateTimeReadable(const QString& path)
{
    struct stat info;
    return !path.isEmpty() && ::stat(encoded(path).constData(), &info) == 0;
}

std::optional<quint32> NativeFileFacts::attributes(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    // A folder path ends with a separator. POSIX would then describe the folder a link leads to; the link itself
    // is described here, with its reparse point, as Windows does for such a path.
    QByteArray name = encoded(path);
    bool namesFolder = false;
    while (name.size() > 1 && name.endsWith('/')) {
        name.chop(1);
        namesFolder = true;
    }
    Status link;
    Status target;
    if (!look(AT_FDCWD, name.constData(), link, target))
        return std::nullopt;
    if (namesFolder && !S_ISDIR(target.mode))
        return std::nullopt;
    const QByteArrayView leaf = QByteArrayView(name).sliced(name.lastIndexOf('/') + 1);
    return attributeValue(link, target, leaf, refusesWriting(AT_FDCWD, name.constData()));
}

bool NativeFileFacts::opensAsExistingFile(const QString& path)
{
    // Pipes, sockets and devices do not count: reading a pipe without a writer or an endless device would never
    // end. Asking for no access rights, the open succeeds exactly when the path can be resolved.
    if (path.isEmpty())
        return false;
    const QByteArray name = encoded(path);
    Status target;
    return readStatus(AT_FDCWD, name.constData(), true, target) && S_ISREG(target.mode);
}

bool NativeFileFacts::isRootFolder(const QString& path)
{
    return !path.isEmpty() && path.count(QChar(u'/')) == path.size();
}

QStringList NativeFileFacts::listFiles(const QString& folder, const QString& pattern)
{
    QStringList names;
    FolderEntries entries(withFinalSlash(folder));
    const bool anyName = everyName(pattern);
    const char* raw = nullptr;
    unsigned char type = DT_UNKNOWN;
    while (entries.next(raw, type)) {
        if (entryIsFolder(entries.fd(), raw, type))
            continue;
        const QString name = nameFromBytes(raw);
        if (anyName || wildcardMatches(pattern, name))
            names << name;
    }
    return names;
}

QList<ListedFile> NativeFileFacts::listFilesWithFacts(const QString& folder, const QString& pattern)
{
    QList<ListedFile> files;
    FolderEntries entries(withFinalSlash(folder));
    if (!entries.opened())
        return files;
    const WriteShortcut shortcut(entries.fd());
    const bool anyName = everyName(pattern);
    const char* raw = nullptr;
    unsigned char type = DT_UNKNOWN;
    while (entries.next(raw, type)) {
        if (type == DT_DIR)
            continue;
        QString name = nameFromBytes(raw);
        if (!anyName && !wildcardMatches(pattern, name))
            continue;
        Status link;
        Status target;
        // An entry that vanished since the listing, or a folder that cannot be searched, leaves nothing to open.
        if (!look(entries.fd(), raw, link, target)) {
            files.append(ListedFile{std::move(name), false, std::nullopt});
            continue;
        }
        if (S_ISDIR(target.mode))
            continue;
        const bool readOnly = !shortcut.showsWritable(target) && refusesWriting(entries.fd(), raw);
        files.append(ListedFile{std::move(name), S_ISREG(target.mode),
                                attributeValue(link, target, QByteArrayView(raw), readOnly)});
    }
    return files;
}

QStringList NativeFileFacts::listSubfolders(const QString& folder)
{
    FolderEntries entries(withFinalSlash(folder));
    if (!entries.opened()) {
        const int reason = entries.openError();
        if (reason == EACCES || reason == EPERM)
            throw Failure::permissionDenied();
        // A path that cannot be resolved (missing, not a folder, a loop of links, too long) is not found.
        if (reason == ENOENT || reason == ENOTDIR || reason == ELOOP || reason == ENAMETOOLONG)
            throw Failure::pathNotFound();
        throw Failure(QString::fromLocal8Bit(strerror(reason)), 75);
    }
    QStringList names;
    const char* raw = nullptr;
    unsigned char type = DT_UNKNOWN;
    while (entries.next(raw, type)) {
        if (entryIsFolder(entries.fd(), raw, type))
            names << nameFromBytes(raw);
    }
    return names;
}

} // namespace quillora
