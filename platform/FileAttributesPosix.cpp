// Copies owner, permissions, access list and extended attributes onto a new file through its handle.
#include "platform/FileAttributesPosix.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <cerrno>
#include <sys/xattr.h>
#include <unistd.h>

namespace quillora {

namespace {
constexpr const char accessList[] = "system.posix_acl_access";

// Reads a list or a value whose size is asked for first, again while it grows meanwhile; false when it fails.
template <typename Read> bool readSized(QByteArray& bytes, Read&& read)
{
    while (true) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return false;
        bytes.resize(size);
        const ssize_t got = size == 0 ? 0 : read(bytes.data(), size_t(size));
        if (got >= 0) {
            bytes.resize(got);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// The names of the extended attributes of the file at path; empty where the file system has none.
bool attributeNames(const char* path, QByteArrayList& names)
{
    QByteArray list;
    if (!readSized(list, [&](char* buffer, size_t size) { return ::listxattr(path, buffer, size); }))
        return errno == ENOTSUP;
    names = list.split('\0');
    names.removeAll(QByteArray());
    return true;
}

// Gives the new file one attribute; one it already holds with the same value (a security label given by the
// system) counts as given.
bool giveAttribute(int handle, const char* path, const QByteArray& name)
{
    QByteArray value;
    if (!readSized(value, [&](char* buffer, size_t size) { return ::getxattr(path, name, buffer, size); }))
        return errno == ENODATA;
    if (::fsetxattr(handle, name, value.constData(), size_t(value.size()), 0) == 0)
        return true;
    QByteArray held;
    return readSized(held, [&](char* buffer, size_t size) { return ::fgetxattr(handle, name, buffer, size); })
        && held == value;
}

mode_t currentUmask(int handle)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:"))
                return mode_t(line.mid(6).trimmed().toUInt(nullptr, 8));
        }
    }
    // Without /proc, from the new file itself, made with 0666: an execute bit is masked where its read bit is.
    struct stat own
    { };
    if (::fstat(handle, &own) != 0)
        return 022;
    const mode_t readWrite = ~own.st_mode & 0666;
    return readWrite | ((readWrite & 0444) >> 2);
}
} // namespace

FileError keepAttributes(int handle, const char* path, const struct stat& old)
{
    // The owner before the permissions: a change of owner may clear the set-user-ID and set-group-ID bits.
    if (::fchown(handle, old.st_uid, old.st_gid) != 0)
        (void)::fchown(handle, uid_t(-1), old.st_gid);
    QByteArrayList names;
    if (!attributeNames(path, names))
        return FileError::AttributesNotKept;
    // An access list the new file inherited from its folder's default would give others access the old file
    // did not.
    if (!names.contains(accessList) && ::fremovexattr(handle, accessList) != 0 && errno != ENODATA && errno != ENOTSUP)
        return FileError::AttributesNotKept;
    for (const QByteArray& name : std::as_const(names)) {
        if (!giveAttribute(handle, path, name))
            return FileError::AttributesNotKept;
    }
    // With an access list, the group bits are its mask: the same as the old file's.
    (void)::fchmod(handle, old.st_mode & 07777);
    return FileError::None;
}

void takePermissions(int handle, const char* source)
{
    struct stat from
    { };
    if (::stat(source, &from) != 0)
        return;
    // The umask is the process's own and read once: reading it anew for each of many small files costs more.
    static const mode_t mask = currentUmask(handle);
    (void)::fchmod(handle, from.st_mode & 0777 & ~mask);
}

} // namespace quillora
