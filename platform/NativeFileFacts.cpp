// The parts of the native file facts that every platform shares.
#include "platform/NativeFileFacts.h"

#include <QFileInfo>

namespace quillora {

QString NativeFileFacts::resolvedPath(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

} // namespace quillora
