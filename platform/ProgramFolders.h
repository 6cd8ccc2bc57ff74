// Where the program finds the files it reads beside itself: its data folder once installed, else its own folder.
#pragma once

#include <QString>

namespace quillora {

// The data folder of an installed program, relative to the folder of its executable (<prefix>/bin).
QString installedDataFolderFromExecutable();

// The folder holding "HAND-M.CUR", "Samples" and the skin for an executable in executableFolder: the installed
// data folder when it exists there, else executableFolder itself, as in the build tree. Relative to the executable,
// so a moved prefix still finds its data.
QString programDataFolder(const QString& executableFolder);

} // namespace quillora
