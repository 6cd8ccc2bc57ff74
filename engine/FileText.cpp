// Converts a file's text straight from the bytes it was read as, or from the file itself piece by piece.
#include "engine/FileText.h"

#include "engine/FileBytes.h"
#include "engine/Utf8Check.h"
#include "engine/Windows1252.h"
#include "platform/Failure.h"

#include <QFile>
#include <algorithm>

namespace quillora {

FileText FileText::fromString(QString text)
{
    FileText result;
    result.text_ = std::move(text);
    return result;
}

FileText FileText::fromValidUtf8(QByteArray bytes)
{
    FileText result;
    result.bytes_ = std::move(bytes);
    result.form_ = Form::Utf8;
    return result;
}

FileText FileText::fromWindows1252(QByteArray bytes)
{
    FileText result;
    result.bytes_ = std::move(bytes);
    result.form_ = Form::Windows1252;
    return result;
}

FileText FileText::inFile(QString path, qint64 offset, const FileScan& scan)
{
    FileText result;
    result.form_ = scan.validUtf8 ? Form::Utf8InFile : Form::Windows1252InFile;
    result.path_ = std::move(path);
    result.offset_ = offset;
    result.scan_ = scan;
    return result;
}

bool FileText::isEmpty() const
{
    switch (form_) {
    case Form::Utf16:
        return text_.isEmpty();
    case Form::Utf8:
    case Form::Windows1252:
        return bytes_.isEmpty();
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
        break;
    }
    return scan_.size == 0;
}

QString FileText::toString() const
{
    switch (form_) {
    case Form::Utf8:
        return QString::fromUtf8(bytes_);
    case Form::Windows1252:
        return decodeWindows1252(bytes_);
    case Form::Utf8InFile:
        return QString::fromUtf8(readFileBytes(path_, offset_));
    case Form::Windows1252InFile:
        return decodeWindows1252(readFileBytes(path_, offset_));
    case Form::Utf16:
        break;
    }
    return text_;
}

bool FileText::containsNul() const
{
    switch (form_) {
    case Form::Utf16:
        return text_.contains(QChar(u'\0'));
    case Form::Utf8:
    case Form::Windows1252:
        return bytes_.contains('\0');
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
        break;
    }
    return scan_.hasNul;
}

bool FileText::convertsToEmpty() const
{
    switch (form_) {
    case Form::Utf16:
        return std::all_of(text_.cbegin(), text_.cend(), [](QChar c) { return c == u' '; });
    case Form::Utf8:
    case Form::Windows1252:
        return std::all_of(bytes_.cbegin(), bytes_.cend(), [](char c) { return c == ' '; });
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
        break;
    }
    return !scan_.hasNonSpace;
}

void FileText::wordsToLinesUtf8(const Utf8Sink& sink) const
{
    switch (form_) {
    case Form::Utf8:
        WordsToLinesUtf8(QByteArrayView(bytes_), sink);
        return;
    case Form::Windows1252:
        WordsToLinesUtf8FromWindows1252(bytes_, sink);
        return;
    case Form::Utf16:
        WordsToLinesUtf8(QStringView(text_), sink);
        return;
    case Form::Utf8InFile:
    case Form::Windows1252InFile:
        convertFromFile(sink);
        return;
    }
}

void FileText::convertFromFile(const Utf8Sink& sink) const
{
    const bool utf8 = form_ == Form::Utf8InFile;
    WordsToLinesStream stream(!utf8);
    Utf8Validator validator;
    qint64 total = 0;
    forEachFilePiece(path_, offset_, [&](QByteArrayView bytes) {
        total += bytes.size();
        // Bytes that were UTF-8 when the file was read must still be: a file changed meanwhile is not converted.
        if (utf8) {
            validator.feed(bytes);
            if (!validator.validSoFar())
                throw Failure::deviceIo();
        }
        stream.feed(bytes, sink);
        return true;
    });
    if (total != scan_.size || (utf8 && !validator.finish().valid))
        throw Failure::deviceIo();
}

QByteArray FileText::wordsToLinesUtf8() const
{
    QByteArray result;
    wordsToLinesUtf8([&result](QByteArrayView bytes) { result.append(bytes); });
    return result;
}

} // namespace quillora
