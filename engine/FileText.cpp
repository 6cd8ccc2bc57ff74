// Converts a file's text without decoding it when it is UTF-8 already.
#include "engine/FileText.h"

#include "engine/WordsToLines.h"

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
    result.utf8_ = true;
    return result;
}

QString FileText::toString() const
{
    return utf8_ ? QString::fromUtf8(bytes_) : text_;
}

QByteArray FileText::wordsToLinesUtf8() const
{
    return utf8_ ? WordsToLinesUtf8(QByteArrayView(bytes_)) : WordsToLinesUtf8(QStringView(text_));
}

} // namespace quillora
