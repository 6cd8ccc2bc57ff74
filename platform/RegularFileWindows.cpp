// Folders are refused by name; otherwise the file is opened here, sharing deletion too so that a file the system
// deletes on close (the standard-input spool) opens again, and Qt takes the handle over.
#include "platform/Failure.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace quillora {

bool openRegularFile(QFile& file, QIODevice::OpenMode extra)
{
    if (QFileInfo(file.fileName()).isDir())
        return false;
    const QString path = QDir::toNativeSeparators(file.fileName());
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_TOO_MANY_OPEN_FILES)
            throw Failure::tooManyFiles();
        return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        throw Failure::tooManyFiles();
    }
    if (!file.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        // The descriptor owns the handle now.
        _close(fd);
        return false;
    }
    return true;
}

void throwHiddenOpenFailure(const QString&) { }

} // namespace quillora
