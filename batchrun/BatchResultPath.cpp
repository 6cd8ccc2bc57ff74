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

QString resultBelow(const QString& folder, const QString& root, const QString& source, QChar separator)
{
    const QString prefix = root.endsWith(separator) ? root : root + separator;
    const QString below = source.startsWith(prefix) ? source.mid(prefix.size()) : GetFileName(source, separator);
    return FixDoubleBackslashes(folder + separator + below, separator);
}

} // namespace quillora
