// Opening regular files for reading, and what the system alone can tell about a path that would not open.
#pragma once

#include <QFile>

namespace quillora {

// Opens file for reading with extra modes. A pipe without a writer would block the open for good, and a pipe or
// device might never end, so the open does not wait and anything but a regular file is refused: false then.
// Throws Failure::tooManyFiles() when the process, or the system, has no file handle left.
bool openRegularFile(QFile& file, QIODevice::OpenMode extra);
// Throws the failure the system tells for a path that would not open where the path alone does not show it: a
// folder on the way that may not be searched, or something that is neither a file nor a folder.
void throwHiddenOpenFailure(const QString& path);

} // namespace quillora
