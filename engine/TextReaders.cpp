// Reads text files in UTF-8, UTF-16 and UTF-32 with a mark, and files without a mark.
#include "engine/TextReaders.h"

#include "engine/FileBytes.h"
#include "engine/UnicodeDecoding.h"
#include "engine/Utf8Check.h"
#include "platform/FileFacts.h"

#include <QFile>
#include <optional>

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

// The text a reader with its own numbered steps made, or its failed step under the reader's label.
OrFailure<FileText> ownFailure(const QString& procedure, std::optional<StepFailure> failure,
                               std::optional<FileText> result)
{
    if (failure) {
        failure->procedure = procedure;
        return std::move(*failure);
    }
    return std::move(*result);
}

FileText settledOnTheWay(const QString& path, qint64 offset, bool afterUtf8Mark,
                         AnsiCodePage page = AnsiCodePage::Western)
{
    std::shared_ptr<QFile> file = openFileForReading(path, offset);
    const qint64 size = qMax<qint64>(file->size() - offset, 0);
    return FileText(SettledInOpenFile{{std::move(file), offset, size}, afterUtf8Mark, page});
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

ByteOrderMark FileHasBOM(const QString& path)
{
    const QByteArray head = readFileBytes(path, 0, 4);
    if (startsWith(head, {0xFF, 0xFE, 0x00, 0x00}) || startsWith(head, {0x00, 0x00, 0xFE, 0xFF}))
        return ByteOrderMark::Unicode;
    if (startsWith(head, {0xEF, 0xBB, 0xBF}))
        return ByteOrderMark::Utf8;
    if (startsWith(head, {0xFF, 0xFE}) || startsWith(head, {0xFE, 0xFF}))
        return ByteOrderMark::Unicode;
    return ByteOrderMark::None;
}

// Steps 100 to 104 and 110 to 114 set up, hand over and release the stream, and cannot fail here.
OrFailure<FileText> ReadFileToStringUTF(const QString& path, ByteOrderMark mark, ReadingMode mode)
{
    const qint64 offset = mark == ByteOrderMark::Utf8 ? 3 : 0;
    std::optional<FileText> result;
    QByteArray loaded;
    Utf8Check check;
    std::optional<StepFailure> failure = tryStep(106, [&] {
        if (mode == ReadingMode::WhileConverting) {
            result = settledOnTheWay(path, offset, true);
            return;
        }
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
    if (!failure && !result)
        failure = tryStep(108, [&] { result = textFromUtf8(std::move(loaded), check); });
    return ownFailure(QStringLiteral("UTF8.ReadFileToStringUTF"), std::move(failure), std::move(result));
}

// UTF-16 read as it is converted, from an open file past its mark; none for a mark that may be UTF-32's, since
// only the whole file tells whether it is.
std::optional<FileText> utf16OnTheWay(const QString& path)
{
    const QByteArray head = readFileBytes(path, 0, 4);
    const bool bigEndian = startsWith(head, {0xFE, 0xFF});
    if (!bigEndian && (!startsWith(head, {0xFF, 0xFE}) || startsWith(head, {0xFF, 0xFE, 0x00, 0x00})))
        return std::nullopt;
    std::shared_ptr<QFile> file = openFileForReading(path, 2);
    const qint64 size = qMax<qint64>(file->size() - 2, 0);
    return FileText(Utf16InOpenFile{{std::move(file), 2, size}, bigEndian});
}

// Steps 100, 104 and 108 choose the file number, skip the mark and close the file, and cannot fail here.
OrFailure<FileText> ReadFileToStringUnicode(const QString& path, ReadingMode mode)
{
    std::optional<FileText> result;
    QByteArray loaded;
    std::optional<StepFailure> failure = tryStep(102, [&] { fileLength(path); });
    if (!failure) {
        failure = tryStep(106, [&] {
            if (mode == ReadingMode::WhileConverting)
                result = utf16OnTheWay(path);
            if (!result)
                loaded = readFileBytes(path);
        });
    }
    if (!failure && !result)
        failure = tryStep(110, [&] { result = FileText::fromString(decodeMarked(loaded)); });
    return ownFailure(QStringLiteral("UTF8.ReadFileToStringUnicode"), std::move(failure), std::move(result));
}

OrFailure<FileText> ReadFileToString(const QString& path, ReadingMode mode, AnsiCodePage page)
{
    FileText result;
    const std::optional<StepFailure> failure = tryStep(0, [&] {
        if (!fileFacts().dateTimeReadable(path) || fileLength(path) == 0)
            return;
        if (mode == ReadingMode::WhileConverting) {
            result = settledOnTheWay(path, 0, false, page);
            return;
        }
        // A file that holds a NUL byte is not text; the pass ends there.
        if (mode == ReadingMode::InFile) {
            result = FileText::inFile(path, 0, scanFileBytes(path, 0, true), page);
            return;
        }
        Utf8Check check;
        QByteArray bytes = readFileBytesCheckingUtf8(path, 0, check);
        result = check.valid ? FileText::fromValidUtf8(std::move(bytes)) : FileText::fromAnsi(std::move(bytes), page);
    });
    if (failure)
        return *failure;
    return result;
}

} // namespace quillora
