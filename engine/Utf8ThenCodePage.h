// The one reading of a file whose encoding is settled as it is converted: UTF-8 first, and again from the start in
// what the bytes turned out to be once they are not.
#pragma once

#include "engine/HeldText.h"
#include "engine/WordsToLines.h"

#include <functional>

namespace quillora {

class Utf8ThenCodePage
{
public:
    explicit Utf8ThenCodePage(const SettledInOpenFile& text, LineBreak lineBreak = LineBreak::CrLf)
        : text_(text)
        , lineBreak_(lineBreak)
    { }

    // Converts the bytes as UTF-8 while they are valid UTF-8; at the first ill-formed piece, calls restart and
    // converts them again: decoded whole after a UTF-8 mark, else in the code page. A text without a mark that
    // holds a NUL byte ends the conversion as not text. Throws Failure when the file cannot be read or its size
    // changes while it is read.
    ConversionOutcome convert(const Utf8Sink& sink, const std::function<void()>& restart) const;

    // The text read whole and held in memory in the encoding its bytes settle on; throws Failure when the file
    // cannot be read or its size has changed.
    static HeldText readWhole(const SettledInOpenFile& text);

private:
    enum class FirstReading
    {
        Converted,
        NotUtf8,
        NotText
    };
    FirstReading convertAsUtf8(const Utf8Sink& sink) const;
    ConversionOutcome convertAgain(const Utf8Sink& sink) const;

    const SettledInOpenFile& text_;
    LineBreak lineBreak_;
};

} // namespace quillora
