// Reading a file's bytes, with failures described in the platform's usual words.
#pragma once

#include "engine/HeldText.h"
#include "engine/Utf8Check.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QFile;

namespace quillora {

// Throws Failure ("File not found", "Path not found", "Permission denied", ...) when the file cannot be read.
QByteArray readFileBytes(const QString& path, qint64 offset = 0, qint64 maxSize = -1);
// Reads the file from offset to its end and checks the bytes as UTF-8 piece by piece while they are fresh in
// the cache.
QByteArray readFileBytesCheckingUtf8(const QString& path, qint64 offset, Utf8Check& check);
// One pass over the file from offset without keeping its bytes: checks them as UTF-8 and notes NUL bytes and
// characters other than spaces. With stopAtNul the pass ends at the first NUL byte.
FileScan scanFileBytes(const QString& path, qint64 offset, bool stopAtNul);
qint64 fileLength(const QString& path);
// How many bytes forEachFilePiece hands over at a time (the last piece may be shorter).
inline constexpr qint64 filePieceBytes = qint64(1) << 20;
// Reads the file from offset to its end a piece at a time, handing each piece to use until it returns false.
void forEachFilePiece(const QString& path, qint64 offset, const std::function<bool(QByteArrayView)>& use);
// The file opened for reading, unbuffered, with its position at offset; throws Failure when it cannot be.
std::unique_ptr<QFile> openFileForReading(const QString& path, qint64 offset = 0);
// The same over a file already open: reads it from offset to its end.
void forEachFilePiece(QFile& file, qint64 offset, const std::function<bool(QByteArrayView)>& use);
// How a counted reading ended: stopped by its user, or at the end of the file with the size expected or another.
enum class CountedReading
{
    Stopped,
    AsExpected,
    SizeChanged
};
// Reads the file from offset to its end as forEachFilePiece does, counting the bytes against expectedSize, the size
// they had when the text was read.
CountedReading forEachCountedPiece(QFile& file, qint64 offset, qint64 expectedSize,
                                   const std::function<bool(QByteArrayView)>& use);
CountedReading forEachCountedPiece(const QString& path, qint64 offset, qint64 expectedSize,
                                   const std::function<bool(QByteArrayView)>& use);
// The bytes of the stretch, read whole; throws Failure when their size has changed.
QByteArray readStretch(const OpenFileStretch& stretch);
// Why a path cannot be opened, as a Failure to throw.
[[noreturn]] void throwOpenFailure(const QString& path);

} // namespace quillora
