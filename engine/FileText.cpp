// Converts a file's text straight from the bytes it was read as.
#include "engine/FileText.h"

#include "engine/Windows1252.h"
#include "engine/WordsToLines.h"

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

QString FileText::toString() const
{
    switch (form_) {
    case Form::Utf8:
        return QString::fromUtf8(bytes_);
    case Form::Windows1252:
        return decodeWindows1252(bytes_);
    case Form::Utf16:
        break;
    }
    return text_;
}

bool FileText::containsNul() const
{
    return form_ == Form::Utf16 ? text_.contains(QChar(u'\0')) : bytes_.contains('\0');
}

bool FileText::convertsToEmpty() const
{
    if (form_ == Form::Utf16)
        return std::all_of(text_.cbegin(), text_.cend(), [](QChar c) { return c == u' '; });
    return std::all_of(bytes_.cbegin(), bytes_.cend(), [](char c) { return c == ' '; });
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
    }
}

QByteArray FileText::wordsToLinesUtf8() const
{
    QByteArray result;
    wordsToLinesUtf8([&result](QByteArrayView bytes) { result.append(bytes); });
    return result;
}

} // namespace quillora
