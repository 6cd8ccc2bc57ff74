// Where the batch run writes the result of one source file.
#pragma once

#include "platform/NativeSeparator.h"

#include <QString>

namespace quillora {

// Beside the source (it is then replaced), or in the chosen folder under the source's own file name.
QString batchResultPath(bool besideSource, const QString& chosenFolder, const QString& source,
                        QChar separator = nativeSeparator());
// In folder at the path source has below root, the folder a walk was given and found source in.
QString resultBelow(const QString& folder, const QString& root, const QString& source,
                    QChar separator = nativeSeparator());

} // namespace quillora
