// Windows-1252 goes straight to the byte converter; other code pages are decoded to UTF-8 a piece at a time first.
#include "engine/AnsiWordsToLines.h"

namespace quillora {

AnsiWordsToLinesStream::AnsiWordsToLinesStream(AnsiCodePage page, LineBreak lineBreak)
    : western_(page == AnsiCodePage::Western)
    , decoder_(page)
    , lines_(western_, lineBreak)
{ }

void AnsiWordsToLinesStream::feed(QByteArrayView bytes, const Utf8Sink& sink)
{
    if (western_) {
        lines_.feed(bytes, sink);
        return;
    }
    const qsizetype needed = AnsiDecoder::utf8Capacity(bytes.size());
    if (needed > capacity_) {
        buffer_.reset(new char[size_t(needed)]);
        capacity_ = needed;
    }
    const char* const end = decoder_.toUtf8(bytes, buffer_.get());
    if (end != buffer_.get())
        lines_.feed(QByteArrayView(buffer_.get(), end), sink);
}

void AnsiWordsToLinesStream::finish(const Utf8Sink& sink)
{
    const QByteArray rest = decoder_.finish().toUtf8();
    if (!rest.isEmpty())
        lines_.feed(rest, sink);
}

void WordsToLinesUtf8FromAnsi(QByteArrayView bytes, AnsiCodePage page, const Utf8Sink& sink, LineBreak lineBreak)
{
    constexpr qsizetype piece = qsizetype(1) << 20;
    AnsiWordsToLinesStream stream(page, lineBreak);
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        stream.feed(bytes.sliced(at, qMin(piece, bytes.size() - at)), sink);
    stream.finish(sink);
}

} // namespace quillora
