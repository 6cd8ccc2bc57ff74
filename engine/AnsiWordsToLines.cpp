// Windows-1252 goes straight to the byte converter. The other single-byte code pages are split at their spaces as
// they are, the byte 0x20 being the space in each of them and no other byte being one, and the lines then decoded:
// the splitting runs over the code-page bytes, fewer than their UTF-8. Multi-byte code pages are decoded to UTF-8 a
// piece at a time first.
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
    if (decoder_.singleByte()) {
        // The byte converter leaves every byte but the space as it is, whatever the bytes are.
        lines_.feed(bytes, [this, &sink](QByteArrayView lines) {
            char* const out = decoded_.next(AnsiDecoder::utf8Capacity(lines.size()));
            sink(QByteArrayView(out, decoder_.toUtf8(lines, out)));
        });
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
