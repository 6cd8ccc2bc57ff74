// The word-per-line rule on text fed piece by piece, handing the UTF-8 result of each piece to a sink.
#pragma once

#include "engine/LineBreak.h"
#include "engine/LinesOutput.h"

#include <memory>
#include <optional>

namespace quillora {

// Converts byte text fed piece by piece, UTF-8 or Windows-1252, handing the UTF-8 result to sink.
class WordsToLinesStream
{
public:
    explicit WordsToLinesStream(bool windows1252, LineBreak lineBreak = LineBreak::CrLf);
    ~WordsToLinesStream();
    void feed(QByteArrayView bytes, const Utf8Sink& sink);

private:
    bool windows1252_;
    LineBreak lineBreak_;
    LinesOutput output_;
};

// Converts UTF-16 bytes in either byte order fed piece by piece; a piece may end inside a unit or a surrogate pair.
// Unpaired surrogates and an odd last byte become U+FFFD, as decodeUtf16 makes them.
class Utf16WordsToLinesStream
{
public:
    explicit Utf16WordsToLinesStream(bool bigEndian, LineBreak lineBreak = LineBreak::CrLf);
    ~Utf16WordsToLinesStream();
    void feed(QByteArrayView bytes, const Utf8Sink& sink);
    // Converts what the last piece left incomplete.
    void finish(const Utf8Sink& sink);

private:
    void convert(const char16_t* units, qsizetype count, const Utf8Sink& sink);

    bool bigEndian_;
    LineBreak lineBreak_;
    // The first byte of a unit the last piece cut, and a high surrogate whose partner may start the next piece.
    std::optional<char> oddByte_;
    std::optional<char16_t> highSurrogate_;
    std::unique_ptr<char16_t[]> units_;
    qsizetype unitCapacity_ = 0;
    LinesOutput output_;
};

} // namespace quillora
