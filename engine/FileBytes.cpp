// Opens and reads files with QFile and tells why an open failed.
#include "engine/FileBytes.h"

#include "platform/Failure.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <memory>

namespace quillora {

void throwOpenFailure(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        throw Failure::fileNotFound();
    throwHiddenOpenFailure(path);
    if (!info.exists()) {
        if (!QFileInfo(info.absolutePath()).isDir())
            throw Failure::pathNotFound();
        throw Failure::fileNotFound();
    }
    throw Failure::permissionDenied();
}

namespace {
// Opens file for reading at offset; throws why it cannot.
void openForReadingAt(QFile& file, qint64 offset, QIODevice::OpenMode extra = {})
{
    if (!openRegularFile(file, extra))
        throwOpenFailure(file.fileName());
    if (offset > 0 && !file.seek(offset))
        throw Failure::deviceIo();
}
} // namespace

qint64 fileLength(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throwOpenFailure(path);
    return info.size();
}

QByteArray readFileBytesCheckingUtf8(const QString& path, qint64 offset, Utf8Check& check)
{
    constexpr qint64 piece = qint64(1) << 20;
    QFile file(path);
    openForReadingAt(file, offset);
    QByteArray bytes;
    bytes.resize(qMax<qint64>(file.size() - offset, 0));
    qint64 filled = 0;
    qsizetype checked = 0;
    while (true) {
        if (filled == bytes.size())
            bytes.resize(filled + piece);
        const qint64 got = file.read(bytes.data() + filled, qMin(piece, bytes.size() - filled));
        if (got < 0)
            throw Failure::deviceIo();
        if (got == 0)
            break;
        filled += got;
        if (check.valid)
            checked += checkUtf8Prefix(QByteArrayView(bytes.constData() + checked, filled - checked), check);
    }
    bytes.truncate(filled);
    if (checked < filled)
        check.valid = false;
    return bytes;
}

std::unique_ptr<QFile> openFileForReading(const QString& path, qint64 offset)
{
    auto file = std::make_unique<QFile>(path);
    openForReadingAt(*file, offset, QIODevice::Unbuffered);
    return file;
}

void forEachFilePiece(const QString& path, qint64 offset, const std::function<bool(QByteArrayView)>& use)
{
    QFile file(path);
    openForReadingAt(file, offset);
    forEachFilePiece(file, offset, use);
}

void forEachFilePiece(QFile& file, qint64 offset, const std::function<bool(QByteArrayView)>& use)
{
    if (file.pos() != offset && !file.seek(offset))
        throw Failure::deviceIo();
    // A small file gets a buffer its size (and one byte more, to see its end in one read).
    const qint64 piece = qBound<qint64>(1, file.size() - offset + 1, filePieceBytes);
    const std::unique_ptr<char[]> buffer(new char[size_t(piece)]);
    while (true) {
        const qint64 got = file.read(buffer.get(), piece);
        if (got < 0)
            throw Failure::deviceIo();
        if (got == 0 || !use(QByteArrayView(buffer.get(), got)))
            return;
    }
}

CountedReading forEachCountedPiece(QFile& file, qint64 offset, qint64 expectedSize,
                                   const std::function<bool(QByteArrayView)>& use)
{
    qint64 total = 0;
    bool stopped = false;
    forEachFilePiece(file, offset, [&](QByteArrayView bytes) {
        total += bytes.size();
        stopped = !use(bytes);
        return !stopped;
    });
    if (stopped)
        return CountedReading::Stopped;
    return total == expectedSize ? CountedReading::AsExpected : CountedReading::SizeChanged;
}

CountedReading forEachCountedPiece(const QString& path, qint64 offset, qint64 expectedSize,
                                   const std::function<bool(QByteArrayView)>& use)
{
    QFile file(path);
    openForReadingAt(file, offset);
    return forEachCountedPiece(file, offset, expectedSize, use);
}

QByteArray readStretch(const OpenFileStretch& stretch)
{
    QByteArray bytes;
    const CountedReading read
        = forEachCountedPiece(*stretch.file, stretch.offset, stretch.size, [&bytes](QByteArrayView piece) {
              bytes.append(piece);
              return true;
          });
    if (read != CountedReading::AsExpected)
        throw Failure::deviceIo();
    return bytes;
}

FileScan scanFileBytes(const QString& path, qint64 offset, bool stopAtNul)
{
    FileScan scan;
    Utf8Validator validator;
    forEachFilePiece(path, offset, [&](QByteArrayView bytes) {
        scan.size += bytes.size();
        if (!scan.hasNul && std::memchr(bytes.data(), 0, size_t(bytes.size()))) {
            scan.hasNul = true;
            if (stopAtNul)
                return false;
        }
        if (!scan.hasNonSpace)
            scan.hasNonSpace = std::find_if(bytes.begin(), bytes.end(), [](char c) { return c != ' '; }) != bytes.end();
        if (validator.validSoFar())
            validator.feed(bytes);
        return true;
    });
    scan.validUtf8 = validator.finish().valid;
    return scan;
}

QByteArray readFileBytes(const QString& path, qint64 offset, qint64 maxSize)
{
    QFile file(path);
    openForReadingAt(file, offset);
    QByteArray bytes;
    const qint64 available = file.size() - offset;
    if (maxSize >= 0 || available > 0) {
        const qint64 wanted = maxSize >= 0 ? qMin(maxSize, qMax<qint64>(available, 0)) : available;
        bytes.resize(wanted);
        const qint64 got = file.read(bytes.data(), wanted);
        if (got < 0)
            throw Failure::deviceIo();
        bytes.resize(got);
    }
    if (maxSize < 0) {
        // Files whose size the system does not know in advance (pipes, special files) are read to their end.
        const QByteArray rest = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw Failure::deviceIo();
        bytes.append(rest);
    }
    return bytes;
}

} // namespace quillora
