// File facts from POSIX calls, or from Win32 on Windows, with the attribute values of the Windows platform.
#include "platform/NativeFileFacts.h"

#include "platform/Failure.h"
#include "platform/WildcardMatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <QHash>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#endif
#endif

namespace quillora {

namespace {
FileFacts*& currentFacts()
{
    static NativeFileFacts native;
    static FileFacts* current = &native;
    return current;
}

#ifndef Q_OS_WIN
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

// What one look at an entry tells: its kind and mode, its owner and, on Linux, its mount and immutable flag.
struct Status
{
    mode_t mode = 0;
    uid_t owner = 0;
#ifdef __linux__
    std::optional<quint64> mount;
    bool knownMutable = false;
#endif
};

bool readStatus(const QByteArray& name, bool followLink, Status& status)
{
#ifdef __linux__
    struct statx info;
    if (::statx(AT_FDCWD, name.constData(), followLink ? 0 : AT_SYMLINK_NOFOLLOW,
                STATX_TYPE | STATX_MODE | STATX_UID | STATX_MNT_ID, &info)
        != 0)
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
    if ((followLink ? ::stat(name.constData(), &info) : ::lstat(name.constData(), &info)) != 0)
        return false;
    status.mode = info.st_mode;
    status.owner = info.st_uid;
    return true;
#endif
}

// The entry itself, and what it leads to when it is a link (a link that leads nowhere describes itself).
bool look(const QByteArray& name, Status& link, Status& target)
{
    if (!readStatus(name, false, link))
        return false;
    if (!S_ISLNK(link.mode) || !readStatus(name, true, target))
        target = link;
    return true;
}

// What the open test just saw of a path, lent to an attribute read of the same path that comes next, at once.
// Gathering a folder's files asks both of every file, and each look walks the whole path again.
struct RecentLook
{
    QByteArray name;
    Status link;
    Status target;
    std::chrono::steady_clock::time_point at;
};
thread_local std::optional<RecentLook> recentLook;
constexpr std::chrono::milliseconds recentLookLife(1);

bool takeRecentLook(const QByteArray& name, Status& link, Status& target)
{
    std::optional<RecentLook> recent;
    recent.swap(recentLook);
    if (!recent || recent->name != name || std::chrono::steady_clock::now() - recent->at > recentLookLife)
        return false;
    link = recent->link;
    target = recent->target;
    return true;
}

#ifdef __linux__
bool isLocalFileSystem(decltype(statfs::f_type) type)
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

// Whether the owner's write bit tells the whole truth on a mount: a local file system mounted for writing. Each
// mount is asked again after a second, so a remount is noticed.
bool ownerBitDecides(quint64 mount, const QByteArray& name)
{
    struct Answer
    {
        bool decides;
        std::chrono::steady_clock::time_point at;
    };
    thread_local QHash<quint64, Answer> answers;
    const auto now = std::chrono::steady_clock::now();
    const auto known = answers.constFind(mount);
    if (known != answers.cend() && now - known->at < std::chrono::seconds(1))
        return known->decides;
    struct statfs info;
    if (::statfs(name.constData(), &info) != 0)
        return false;
    const bool decides = (info.f_flags & ST_RDONLY) == 0 && isLocalFileSystem(info.f_type);
    answers.insert(mount, Answer{decides, now});
    return decides;
}
#endif

// True when the user cannot write the entry. Where the status already settles it (the user's own file or folder
// with the owner's write bit, not immutable, on a local file system mounted for writing) the kernel is not asked
// again: gathering a folder tree asks this of every file.
bool userCannotWrite(const QByteArray& name, const Status& target)
{
#ifdef __linux__
    static const uid_t user = ::getuid();
    static const bool plainUser = user == ::geteuid();
    if (plainUser && (S_ISREG(target.mode) || S_ISDIR(target.mode)) && target.owner == user
        && (target.mode & S_IWUSR) != 0 && target.knownMutable && target.mount && ownerBitDecides(*target.mount, name))
        return false;
#endif
    // Only a refusal makes an entry read-only; a link that leads nowhere is not.
    return ::access(name.constData(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM);
}
#endif
} // namespace

FileFacts& fileFacts()
{
    return *currentFacts();
}

ScopedFileFacts::ScopedFileFacts(FileFacts& replacement)
    : previous_(currentFacts())
{
    currentFacts() = &replacement;
}

ScopedFileFacts::~ScopedFileFacts()
{
    currentFacts() = previous_;
}

QString NativeFileFacts::resolvedPath(const QString& path)
{
#ifndef Q_OS_WIN
    recentLook.reset();
#endif
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

#ifdef Q_OS_WIN

bool NativeFileFacts::dateTimeReadable(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).lastModified().isValid();
}

std::optional<quint32> NativeFileFacts::attributes(const QString& path)
{
    const DWORD value = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (value == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return static_cast<quint32>(value);
}

bool NativeFileFacts::opensAsExistingFile(const QString& path)
{
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

bool NativeFileFacts::isRootFolder(const QString& path)
{
    return QDir(path).isRoot();
}

QStringList NativeFileFacts::listFiles(const QString& folder, const QString& pattern)
{
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort)) {
        if (wildcardMatches(pattern, info.fileName()))
            names << info.fileName();
    }
    return names;
}

QStringList NativeFileFacts::listSubfolders(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        throw Failure::pathNotFound();
    if (!info.isReadable())
        throw Failure::permissionDenied();
    return QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
}

#else

bool NativeFileFacts::dateTimeReadable(const QString& path)
{
    recentLook.reset();
    struct stat info;
    return !path.isEmpty() && ::stat(encoded(path).constData(), &info) == 0;
}

std::optional<quint32> NativeFileFacts::attributes(const QString& path)
{
    if (path.isEmpty()) {
        recentLook.reset();
        return std::nullopt;
    }
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
    if (!takeRecentLook(name, link, target) && !look(name, link, target))
        return std::nullopt;
    quint32 value = 0;
    if (S_ISLNK(link.mode))
        value |= attribute::reparsePoint;
    if (namesFolder && !S_ISDIR(target.mode))
        return std::nullopt;
    if (S_ISDIR(target.mode))
        value |= attribute::directory;
    else if (S_ISREG(target.mode))
        value |= attribute::archive;
    else if (!S_ISLNK(target.mode))
        value |= attribute::system;
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArrayView leaf = QByteArrayView(name).sliced(slash + 1);
    if (leaf.startsWith('.') && leaf != "." && leaf != "..")
        value |= attribute::hidden;
    if (userCannotWrite(name, target))
        value |= attribute::readOnly;
    return value;
}

bool NativeFileFacts::opensAsExistingFile(const QString& path)
{
    // Pipes, sockets and devices do not count: reading a pipe without a writer or an endless device would never
    // end. Asking for no access rights, the open succeeds exactly when the path can be resolved.
    recentLook.reset();
    if (path.isEmpty())
        return false;
    const QByteArray name = encoded(path);
    Status link;
    Status target;
    if (name.endsWith('/'))
        return readStatus(name, true, target) && S_ISREG(target.mode);
    if (!look(name, link, target) || (S_ISLNK(link.mode) && S_ISLNK(target.mode)))
        return false;
    recentLook = RecentLook{name, link, target, std::chrono::steady_clock::now()};
    return S_ISREG(target.mode);
}

bool NativeFileFacts::isRootFolder(const QString& path)
{
    recentLook.reset();
    return !path.isEmpty() && path.count(QChar(u'/')) == path.size();
}

QStringList NativeFileFacts::listFiles(const QString& folder, const QString& pattern)
{
    recentLook.reset();
    QStringList names;
    FolderEntries entries(withFinalSlash(folder));
    const bool everyName = pattern == u"*" || pattern == u"*.*";
    const char* raw = nullptr;
    unsigned char type = DT_UNKNOWN;
    while (entries.next(raw, type)) {
        if (entryIsFolder(entries.fd(), raw, type))
            continue;
        const QString name = QFile::decodeName(raw);
        if (everyName || wildcardMatches(pattern, name))
            names << name;
    }
    return names;
}

QStringList NativeFileFacts::listOpenableFiles(const QString& folder, const QString& pattern)
{
    recentLook.reset();
    QStringList names;
    FolderEntries entries(withFinalSlash(folder));
    if (!entries.opened())
        return names;
    // In a folder that can be searched, an entry the listing calls a regular file opens as one; only links and
    // entries of unknown kind need a look of their own.
    if (::faccessat(entries.fd(), ".", X_OK, 0) != 0)
        return names;
    const bool everyName = pattern == u"*" || pattern == u"*.*";
    const char* raw = nullptr;
    unsigned char type = DT_UNKNOWN;
    while (entries.next(raw, type)) {
        if (type != DT_REG && type != DT_LNK && type != DT_UNKNOWN)
            continue;
        const QString name = QFile::decodeName(raw);
        if (!everyName && !wildcardMatches(pattern, name))
            continue;
        struct stat info;
        if (type == DT_REG || (::fstatat(entries.fd(), raw, &info, 0) == 0 && S_ISREG(info.st_mode)))
            names << name;
    }
    return names;
}

QStringList NativeFileFacts::listSubfolders(const QString& folder)
{
    recentLook.reset();
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
            names << QFile::decodeName(raw);
    }
    return names;
}

#endif

} // namespace quillora
