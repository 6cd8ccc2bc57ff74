// Folders made through the standard library, which speaks the system's own words for a failure.
#include "platform/FolderMaking.h"

#include "platform/Failure.h"

#include <QFile>
#include <filesystem>
#include <system_error>

namespace quillora {

void makeFolderPath(const QString& folder)
{
#ifdef Q_OS_WIN
    const std::filesystem::path path(folder.toStdWString());
#else
    const std::filesystem::path path(QFile::encodeName(folder).toStdString());
#endif
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw Failure(
            QStringLiteral("cannot make the folder %1: %2").arg(folder, QString::fromLocal8Bit(error.message())));
}

} // namespace quillora
