// File facts from Win32 calls.
#include "platform/Failure.h"
#include "platform/NativeFileFacts.h"
#include "platform/WildcardMatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <windows.h>

namespace quillora {

bool NativeFileFacts::dateTimeReadable(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).lastModified().isValid();
}

std::optional<quint32> NativeFileFacts::attributes(const QString& path)
{
    const DWORD value = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (value == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return static_cast<quint32>(value);
}

bool NativeFileFacts::opensAsExistingFile(const QString& path)
{
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

bool NativeFileFacts::isRootFolder(const QString& path)
{
    return QDir(path).isRoot();
}

QStringList NativeFileFacts::listFiles(const QString& folder, const QString& pattern)
{
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort)) {
        if (wildcardMatches(pattern, info.fileName()))
            names << info.fileName();
    }
    return names;
}

QStringList NativeFileFacts::listSubfolders(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        throw Failure::pathNotFound();
    if (!info.isReadable())
        throw Failure::permissionDenied();
    return QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
}

} // namespace quillora
