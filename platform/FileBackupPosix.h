// The backup a replaced file leaves beside its replacement, on POSIX systems.
#pragma once

#include <QByteArray>
#include <functional>
#include <sys/types.h>

namespace quillora {

// Gives the file at path (not a symbolic link) the name backup as well: a second link where the file system allows,
// else a copy with the same bytes, permissions, owner where this process may set it, and times. It is made under a
// spare name first and renamed over any file of the backup's name, so that name is always a whole file. The file
// linked must still be device and inode, else nothing is left and the result is ESTALE. Returns 0 or the errno of
// the step that failed.
// The fallback of keepAsBackup: a copy of the file at path under the new name spare, with the same bytes, permissions,
// times and, where this process may set it, owner, made durable. ESTALE when path is no longer device and inode;
// nothing is left under spare after a failure.
int copyAsBackup(const QByteArray& path, const QByteArray& spare, dev_t device, ino_t inode);
int keepAsBackup(const QByteArray& path, const QByteArray& backup, dev_t device, ino_t inode,
                 const std::function<QByteArray()>& spareName);

} // namespace quillora
