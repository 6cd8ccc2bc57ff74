// The result path: folder, separator and the source's name, with doubled separators collapsed.
#include "batchrun/BatchResultPath.h"

#include "folders/Paths.h"

namespace quillora {

QString batchResultPath(bool besideSource, const QString& chosenFolder, const QString& source, QChar separator)
{
    const QString name = GetFileName(source, separator);
    const QString folder = besideSource ? GetFolderPath(source, separator) : chosenFolder;
    // A source named without a folder is replaced where it is, not written to the root folder.
    if (besideSource && folder.isEmpty())
        return name;
    return FixDoubleBackslashes(folder + separator + name, separator);
}

} // namespace quillora
