// The walk of a folder tree: every walkable folder below a list of folders, level by level.
#pragma once

#include "platform/EventPump.h"
#include "platform/MessageBoxes.h"

#include <QString>
#include <QStringList>

namespace quillora {

// The origin its error box names.
QString folderWalkOrigin();

// folders holds folder paths that end with the separator. Appends every walkable folder below them: all first-level
// sub-folders in the order of their parents, then all second-level ones, and so on; within one parent in the
// platform's listing order. With recurse false only the first level is appended. A folder that cannot be listed
// (permission denied, not found) is removed; the walk lets events through once per folder and once per sub-folder.
void GetSubDirectories2016(QStringList& folders, bool recurse, MessageBoxes& boxes, EventPump& events);

} // namespace quillora
