// The word-per-line rule on text in an ANSI code page, giving the UTF-8 bytes of the converted decoded text.
#pragma once

#include "engine/AnsiDecoder.h"
#include "engine/WordsToLinesStream.h"

namespace quillora {

// Converts code-page bytes fed piece by piece; pieces may cut characters anywhere.
class AnsiWordsToLinesStream
{
public:
    explicit AnsiWordsToLinesStream(AnsiCodePage page, LineBreak lineBreak = LineBreak::CrLf);
    void feed(QByteArrayView bytes, const Utf8Sink& sink);
    // Converts what the last piece left incomplete.
    void finish(const Utf8Sink& sink);

private:
    bool western_;
    AnsiDecoder decoder_;
    WordsToLinesStream lines_;
    std::unique_ptr<char[]> buffer_;
    qsizetype capacity_ = 0;
    AlternateBuffers decoded_;
};

void WordsToLinesUtf8FromAnsi(QByteArrayView bytes, AnsiCodePage page, const Utf8Sink& sink,
                              LineBreak lineBreak = LineBreak::CrLf);

} // namespace quillora
