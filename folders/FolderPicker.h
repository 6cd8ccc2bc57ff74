// The folder picker of the batch window.
#pragma once

#include "platform/FileDialogs.h"

#include <QString>

class QWidget;

namespace quillora {

// A modal folder chooser owned by owner, titled title and opened on startFolder (an empty or missing folder
// leaves the chooser's own start). Gives the chosen folder without a final separator (a root keeps it), or the
// empty text on cancel. Failures reach the caller.
QString BrowseForFolder(FileDialogs& dialogs, QWidget* owner, const QString& title, const QString& startFolder);

} // namespace quillora
