// Asks the file system about the path and words its answer as the system's error messages do.
#include "platform/PathProblem.h"

#include <QFile>
#include <filesystem>
#include <system_error>

namespace quillora {

namespace {
std::filesystem::path nativePath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    // Bytes as the name holds them, also those that are not UTF-8.
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString words(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message());
}
} // namespace

QString lookupProblem(const QString& path)
{
    std::error_code error;
    (void)std::filesystem::status(nativePath(path), error);
    return error ? words(error) : QString();
}

QString folderProblem(const QString& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(nativePath(path), error);
    if (error)
        return words(error);
    if (!std::filesystem::is_directory(status))
        return words(std::make_error_code(std::errc::not_a_directory));
    return QString();
}

QString folderInTheWay(const QString& path)
{
    return folderProblem(path).isEmpty() ? words(std::make_error_code(std::errc::is_a_directory)) : QString();
}

} // namespace quillora
