// What a new file takes from the file it replaces, or from the file it is made from, on POSIX systems.
#pragma once

#include "platform/ReplacingFile.h"

#include <sys/stat.h>

namespace quillora {

// Gives the new file at handle the owner and group (where this process may), the permissions, the access list and
// the extended attributes of the old file at path, whose status is old. AttributesNotKept when an access list or an
// attribute could not be given: the new file must then not replace the old one, which would widen its access.
FileError keepAttributes(int handle, const char* path, const struct stat& old);
// Gives the new file at handle the permission bits of the file at source less the umask, as a copy gets them.
void takePermissions(int handle, const char* source);

} // namespace quillora
