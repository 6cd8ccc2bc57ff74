// The system's own words for why a path cannot be used, as its error messages give them.
#pragma once

#include <QString>

namespace quillora {

// Why path cannot be looked up ("No such file or directory", "Not a directory", "Permission denied", ...), empty
// when it can.
QString lookupProblem(const QString& path);
// Why path names no folder: lookupProblem's words, or "Not a directory" for another kind of entry; empty for a
// folder.
QString folderProblem(const QString& path);
// "Is a directory" when path is a folder, where a file was to be written; else empty.
QString folderInTheWay(const QString& path);

} // namespace quillora
