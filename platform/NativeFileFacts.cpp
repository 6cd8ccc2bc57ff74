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
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

// Whether a directory entry is a folder, following links as the platform's folder objects do.
bool entryIsFolder(const QByteArray& folder, const dirent* entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat info;
    return ::stat((folder + entry->d_name).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isDotEntry(const char* name)
{
    return (name[0] == '.' && name[1] == '\0') || (name[0] == '.' && name[1] == '.' && name[2] == '\0');
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
    struct stat info;
    return !path.isEmpty() && ::stat(encoded(path).constData(), &info) == 0;
}

std::optional<quint32> NativeFileFacts::attributes(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    const QByteArray name = encoded(path);
    struct stat link;
    if (::lstat(name.constData(), &link) != 0)
        return std::nullopt;
    quint32 value = 0;
    struct stat target = link;
    if (S_ISLNK(link.st_mode)) {
        value |= attribute::reparsePoint;
        if (::stat(name.constData(), &target) != 0)
            target = link;
    }
    if (S_ISDIR(target.st_mode))
        value |= attribute::directory;
    else if (S_ISREG(target.st_mode))
        value |= attribute::archive;
    else if (!S_ISLNK(target.st_mode))
        value |= attribute::system;
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QChar(u'/')))
        trimmed.chop(1);
    const QString leaf = trimmed.mid(trimmed.lastIndexOf(QChar(u'/')) + 1);
    if (leaf.startsWith(QChar(u'.')) && leaf != QStringLiteral(".") && leaf != QStringLiteral(".."))
        value |= attribute::hidden;
    if (::access(name.constData(), W_OK) != 0)
        value |= attribute::readOnly;
    return value;
}

bool NativeFileFacts::opensAsExistingFile(const QString& path)
{
    if (path.isEmpty())
        return false;
#ifdef O_PATH
    const int fd = ::open(encoded(path).constData(), O_PATH | O_CLOEXEC);
#else
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
    if (fd < 0)
        return false;
    struct stat info;
    const bool file = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return file;
}

bool NativeFileFacts::isRootFolder(const QString& path)
{
    return !path.isEmpty() && path.count(QChar(u'/')) == path.size();
}

QStringList NativeFileFacts::listFiles(const QString& folder, const QString& pattern)
{
    QStringList names;
    const QByteArray base = withFinalSlash(folder);
    DIR* dir = ::opendir(base.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (isDotEntry(entry->d_name) || entryIsFolder(base, entry))
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (wildcardMatches(pattern, name))
            names << name;
    }
    ::closedir(dir);
    return names;
}

QStringList NativeFileFacts::listSubfolders(const QString& folder)
{
    const QByteArray base = withFinalSlash(folder);
    DIR* dir = ::opendir(base.constData());
    if (!dir) {
        if (errno == EACCES || errno == EPERM)
            throw Failure::permissionDenied();
        if (errno == ENOENT || errno == ENOTDIR)
            throw Failure::pathNotFound();
        throw Failure(QString::fromLocal8Bit(strerror(errno)), 75);
    }
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isDotEntry(entry->d_name) && entryIsFolder(base, entry))
            names << QFile::decodeName(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

#endif

} // namespace quillora
