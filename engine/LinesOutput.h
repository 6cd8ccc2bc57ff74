// The UTF-8 lines of a text converted piece by piece, handed to a sink as each piece is done.
#pragma once

#include "engine/AlternateBuffers.h"
#include "engine/WordProgress.h"

#include <QByteArrayView>
#include <functional>

namespace quillora {

// Receives the UTF-8 bytes of a converted text piece by piece, in order. The converters leave the bytes of one
// piece untouched until they have handed over the next, so a sink may still be writing them meanwhile
// (WriteBehind).
using Utf8Sink = std::function<void(QByteArrayView)>;

// How far the rule has come over the pieces so far, and the buffers the pieces are written to in turn.
class LinesOutput
{
public:
    // Converts the piece [at, end) with convert into a buffer of size bytes, going on from the pieces before, and
    // hands what it wrote to sink.
    template <typename Unit>
    void convert(char* (*convert)(const Unit*, const Unit*, char*, WordProgress&), const Unit* at, const Unit* end,
                 qsizetype size, const Utf8Sink& sink)
    {
        char* const buffer = buffers_.next(size);
        char* const written = convert(at, end, buffer, progress_);
        if (written != buffer)
            sink(QByteArrayView(buffer, written - buffer));
    }

private:
    WordProgress progress_;
    AlternateBuffers buffers_;
};

} // namespace quillora
