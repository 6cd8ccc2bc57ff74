// The word-per-line rule: cut at every U+0020, drop empty pieces, join with CR LF.
#pragma once

#include "engine/LineBreak.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <optional>

namespace quillora {

// Only U+0020 separates; tab, CR, LF and every other character stay inside their piece. No line break follows
// the last line.
QString WordsToLines(QStringView text);

// Receives the UTF-8 bytes of a converted text piece by piece, in order. The converters below leave the bytes of
// one piece untouched until they have handed over the next, so a sink may still be writing them meanwhile
// (WriteBehind).
using Utf8Sink = std::function<void(QByteArrayView)>;

// Two output buffers used in turn, so the bytes handed out from one stay as they are while the other is filled.
class AlternateBuffers
{
public:
    // The buffer after the last one returned, at least size bytes long.
    char* next(qsizetype size);

private:
    std::unique_ptr<char[]> buffers_[2];
    qsizetype capacities_[2] = {0, 0};
    int current_ = 1;
};

// The UTF-8 bytes of WordsToLines(text), handed to sink in pieces of about a megabyte, so the converted text is
// never held whole; with LineBreak::Lf the lines are joined by LF instead of CR LF.
void WordsToLinesUtf8(QStringView text, const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf);
// The same rule on text that is valid UTF-8: the same bytes as converting its decoded text.
void WordsToLinesUtf8(QByteArrayView validUtf8, const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf);
// The same rule on Windows-1252 bytes, giving the UTF-8 bytes of the converted decoded text.
void WordsToLinesUtf8FromWindows1252(QByteArrayView ansi, const Utf8Sink& sink, LineBreak lineBreak = LineBreak::CrLf);

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
    bool wroteAny_ = false;
    bool breakPending_ = false;
    AlternateBuffers buffers_;
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
    bool wroteAny_ = false;
    bool breakPending_ = false;
    // The first byte of a unit the last piece cut, and a high surrogate whose partner may start the next piece.
    std::optional<char> oddByte_;
    std::optional<char16_t> highSurrogate_;
    std::unique_ptr<char16_t[]> units_;
    qsizetype unitCapacity_ = 0;
    AlternateBuffers buffers_;
};

// The same, collected into one array.
QByteArray WordsToLinesUtf8(QStringView text);
QByteArray WordsToLinesUtf8(QByteArrayView validUtf8);
QByteArray WordsToLinesUtf8FromWindows1252(QByteArrayView ansi);

} // namespace quillora
