// The spool is a temporary file the system deletes when its last handle closes; it is shared for reading, writing
// and deleting, so the reader can open it again by its path while the spool holds it.
#include "platform/Failure.h"
#include "platform/StandardStreams.h"
#include "platform/StopSignals.h"

#include <QDir>
#include <windows.h>

namespace quillora {

namespace {
constexpr DWORD spoolPieceBytes = 1 << 20;

HANDLE spoolHandle(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Writes all of bytes to handle, going on after a short write.
void writeAll(HANDLE handle, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        stopIfSignalled();
        const DWORD asked = DWORD(qMin<qsizetype>(bytes.size(), spoolPieceBytes));
        DWORD written = 0;
        if (WriteFile(handle, bytes.data(), asked, &written, nullptr) == FALSE) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA)
                throw Failure(QStringLiteral("Broken pipe"));
            throw error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? Failure::diskFull()
                                                                              : Failure::deviceIo();
        }
        bytes = bytes.sliced(written);
    }
}
} // namespace

StandardInputSpool::StandardInputSpool()
{
    const QString folder = QDir::toNativeSeparators(QDir::tempPath());
    wchar_t name[MAX_PATH + 1] = {};
    // Makes an empty file with a name of its own, which the open below takes over.
    if (GetTempFileNameW(reinterpret_cast<const wchar_t*>(folder.utf16()), L"qsp", 0, name) == 0)
        throw Failure::permissionDenied();
    const HANDLE handle
        = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DeleteFileW(name);
        throw Failure::permissionDenied();
    }
    handle_ = reinterpret_cast<qintptr>(handle);
    path_ = QString::fromWCharArray(name);
}

StandardInputSpool::~StandardInputSpool()
{
    CloseHandle(spoolHandle(handle_));
}

void StandardInputSpool::fill()
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    QByteArray piece(spoolPieceBytes, Qt::Uninitialized);
    for (;;) {
        DWORD got = 0;
        const bool read = ReadFile(input, piece.data(), spoolPieceBytes, &got, nullptr) != FALSE;
        stopIfSignalled();
        // A pipe whose writer has gone reads as its end.
        if (!read && GetLastError() != ERROR_BROKEN_PIPE)
            throw Failure::deviceIo();
        if (got == 0)
            break;
        writeAll(spoolHandle(handle_), QByteArrayView(piece).first(got));
    }
}

QString StandardInputSpool::path() const
{
    return path_;
}

void writeStandardOutput(QByteArrayView bytes)
{
    writeAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes);
}

} // namespace quillora
