// Folders are refused by name; otherwise Qt opens the file and its failure is told from the path.
#include "platform/RegularFile.h"

#include <QFileInfo>

namespace quillora {

bool openRegularFile(QFile& file, QIODevice::OpenMode extra)
{
    return !QFileInfo(file.fileName()).isDir() && file.open(QIODevice::ReadOnly | extra);
}

void throwHiddenOpenFailure(const QString&) { }

} // namespace quillora
