// The walk of a folder tree: every walkable folder below a list of folders, level by level.
#pragma once

#include "platform/ErrorReport.h"
#include "platform/EventPump.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quillora {

// The origin its error box names.
QString folderWalkOrigin();

struct FolderWalkHooks
{
    EventPump& events;
    // Tells a failed step of the walk, which then goes on; its origin is folderWalkOrigin().
    ErrorReport::Teller tell;
    // Asked after each yield: true ends the walk where it stands.
    std::function<bool()> stopRequested;
    // Told the path of each file or folder the walk leaves out because its name is not valid UTF-8 (a folder's
    // path ends with the separator); such a name cannot be opened by its text. May be empty.
    std::function<void(const QString&)> undecodableName = {};
    // Asked of each sub-folder found (its path ends with the separator): true leaves it out, and all below it. May
    // be empty.
    std::function<bool(const QString&)> leaveOut = {};
};

// folders holds folder paths that end with the separator. Appends every walkable folder below them: all first-level
// sub-folders in the order of their parents, then all second-level ones, and so on; within one parent in the
// platform's listing order. With recurse false only the first level is appended. A folder that cannot be listed
// (permission denied, not found) is removed, and one whose name is not valid UTF-8 is left out; the walk lets events
// through once per folder and once per sub-folder. Returns false when the walk was asked to stop before its end.
bool collectSubFolders(QStringList& folders, bool recurse, const FolderWalkHooks& hooks);

} // namespace quillora
