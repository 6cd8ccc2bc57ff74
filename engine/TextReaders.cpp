// Reads text files in UTF-8, UTF-16 and UTF-32 with a mark, and files without a mark.
#include "engine/TextReaders.h"

#include "engine/FileBytes.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8Check.h"
#include "platform/ErrorReport.h"
#include "platform/FileFacts.h"

namespace quillora {

namespace {
bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char byte : mark) {
        if (static_cast<unsigned char>(bytes[i++]) != byte)
            return false;
    }
    return true;
}

FileText textFromUtf8(QByteArray bytes, const Utf8Check& check)
{
    if (check.valid)
        return FileText::fromValidUtf8(std::move(bytes));
    return FileText::fromString(decodeUtf8(bytes));
}

QString decodeMarked(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}) && isWellFormedUtf32(bytes.sliced(4), false))
        return decodeUtf32(bytes.sliced(4), false);
    if (startsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        return decodeUtf32(bytes.sliced(4), true);
    if (startsWith(bytes, {0xFE, 0xFF}))
        return decodeUtf16(bytes.sliced(2), true);
    return decodeUtf16(bytes.size() >= 2 ? bytes.sliced(2) : QByteArrayView(), false);
}
} // namespace

bool FileHasBOM(const QString& path)
{
    const QByteArray head = readFileBytes(path, 0, 4);
    BOMIsUTF8 = false;
    if (startsWith(head, {0xFF, 0xFE, 0x00, 0x00}) || startsWith(head, {0x00, 0x00, 0xFE, 0xFF}))
        return true;
    if (startsWith(head, {0xEF, 0xBB, 0xBF})) {
        BOMIsUTF8 = true;
        return true;
    }
    return startsWith(head, {0xFF, 0xFE}) || startsWith(head, {0xFE, 0xFF});
}

std::optional<FileText> ReadFileToStringUTF(const QString& path, MessageBoxes& boxes, ReadingMode mode)
{
    ErrorReport report(boxes, ErrorReport::programOrigin(QStringLiteral("UTF8.ReadFileToStringUTF")));
    std::optional<QByteArray> loaded;
    std::optional<FileText> result;
    Utf8Check check;
    report.step(100, [] {});
    report.step(102, [] {});
    report.step(104, [] {});
    report.step(106, [&] {
        const qint64 offset = startsWith(readFileBytes(path, 0, 3), {0xEF, 0xBB, 0xBF}) ? 3 : 0;
        if (mode == ReadingMode::InFile) {
            const FileScan scan = scanFileBytes(path, offset, false);
            // Ill-formed UTF-8 is decoded whole, with its replacement characters.
            if (scan.validUtf8) {
                result = FileText::inFile(path, offset, scan);
                return;
            }
        }
        loaded = readFileBytesCheckingUtf8(path, offset, check);
    });
    if (loaded) {
        report.step(108, [&] { result = textFromUtf8(std::move(*loaded), check); });
        report.step(110, [] {});
    }
    report.step(112, [] {});
    report.step(114, [] {});
    return result;
}

std::optional<FileText> ReadFileToStringUnicode(const QString& path, MessageBoxes& boxes)
{
    ErrorReport report(boxes, ErrorReport::programOrigin(QStringLiteral("UTF8.ReadFileToStringUnicode")));
    std::optional<QByteArray> loaded;
    std::optional<FileText> result;
    report.step(100, [] {});
    if (!report.step(102, [&] { fileLength(path); }))
        return result;
    report.step(104, [] {});
    report.step(106, [&] { loaded = readFileBytes(path); });
    report.step(108, [] {});
    if (loaded)
        report.step(110, [&] { result = FileText::fromString(decodeMarked(*loaded)); });
    return result;
}

FileText ReadFileToString(const QString& path, ReadingMode mode)
{
    if (!fileFacts().dateTimeReadable(path))
        return FileText();
    if (fileLength(path) == 0)
        return FileText();
    // A file that holds a NUL byte is not text; the pass ends there.
    if (mode == ReadingMode::InFile)
        return FileText::inFile(path, 0, scanFileBytes(path, 0, true));
    Utf8Check check;
    QByteArray bytes = readFileBytesCheckingUtf8(path, 0, check);
    if (check.valid)
        return FileText::fromValidUtf8(std::move(bytes));
    return FileText::fromWindows1252(std::move(bytes));
}

} // namespace quillora
