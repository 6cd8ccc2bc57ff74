// The files "Add All Text File(s) In Folder" gathers from a folder tree, for the batch window and the command line.
#pragma once

#include "folders/FolderWalk.h"
#include "platform/ErrorReport.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quillora {

// What a walk from the command line leaves out that the batch window's walk takes.
struct TreeChoices
{
    enum class Hidden
    {
        // Files whose attributes are exactly hidden and archive are left out; all folders are walked.
        AsTheWindow,
        // Files and folders whose names start with "." are left out.
        LeftOut,
        // Every file and folder is taken.
        Taken
    };
    Hidden hidden = Hidden::AsTheWindow;
    // Asked of each folder below root (its path ends with the separator): true leaves it out with all below it.
    std::function<bool(const QString&)> leaveOutFolder = {};
};

// Walks root (a folder path without a final separator, except for a root such as "/") and every walkable folder
// below it, level by level, and hands add each folder's files whose names match "*." followed by extension ("*"
// takes every file), in listing order: names that start with "~" and files whose attributes are exactly hidden and
// archive are left out (or as choices.hidden says), and names that are not valid UTF-8 go to the hooks instead. Steps
// run through report at lines 116 to 130 (add at 130). Returns false when the walk was asked to stop, before any file
// is handed over. choices may leave out more.
bool gatherTreeFiles(const QString& root, const QString& extension, const FolderWalkHooks& hooks, ErrorReport& report,
                     const std::function<void(const QStringList&)>& add, const TreeChoices& choices = {});

} // namespace quillora
