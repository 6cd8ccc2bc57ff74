// The files of one folder that match a wildcard pattern, and the open test behind it.
#pragma once

#include "platform/FileFacts.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quillora {

// The names (no folder part) of the files in folder that match pattern and pass FileExistsEx (names that are not valid
// UTF-8 left out), in the platform's listing order. The folder may end with a separator or not. No match, or a folder
// that cannot be searched, gives the empty list.
QStringList ListFilesInFolder(const QString& folder, const QString& pattern, FileFacts& facts);
// The files (no folders) in folder that match pattern, but for results not yet in place, in the platform's listing
// order, each with what FileExistsEx and the attribute value tell of it, both from one look. A folder that cannot be
// searched gives none.
QList<ListedFile> ListFilesWithFactsInFolder(const QString& folder, const QString& pattern, FileFacts& facts);
// True when path can be opened as an existing file (not a folder) without asking for any access right.
bool FileExistsEx(const QString& path, FileFacts& facts);

} // namespace quillora
