// Chooses between the installed data folder and the executable's own folder.
#include "platform/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

namespace quillora {

QString installedDataFolderFromExecutable()
{
    return QStringLiteral("../share/quillora");
}

QString programDataFolder(const QString& executableFolder)
{
    const QString installed
        = QDir::cleanPath(executableFolder + QLatin1Char('/') + installedDataFolderFromExecutable());
    return QFileInfo(installed).isDir() ? installed : executableFolder;
}

} // namespace quillora
