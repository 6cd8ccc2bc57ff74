// Reading a file's bytes, with failures described in the platform's usual words.
#pragma once

#include <QByteArray>
#include <QString>

namespace quillora {

// Throws Failure ("File not found", "Path not found", "Permission denied", ...) when the file cannot be read.
QByteArray readFileBytes(const QString& path, qint64 offset = 0, qint64 maxSize = -1);
qint64 fileLength(const QString& path);
// Why a path cannot be opened, as a Failure to throw.
[[noreturn]] void throwOpenFailure(const QString& path);

} // namespace quillora
