// Hands converted bytes to a sink on a thread of its own, so that writing one piece overlaps converting the next.
#pragma once

#include "engine/WordsToLines.h"
#include "engine/WorkBehind.h"

namespace quillora {

// At most one piece is in the writer's hands at a time: handing over the next waits until the last is written, so
// a converter that alternates between two buffers may refill the one it handed over before the last. The sink is
// called in order, never twice at once, and never after finish() or the destructor returns. Declare it after the
// converter whose buffers it writes from, so that it is gone before they are.
class WriteBehind
{
public:
    // Writes behind only a text of size bytes large enough for the overlap to pay for the thread; a smaller one
    // goes straight to sink.
    WriteBehind(const Utf8Sink& sink, qint64 size);

    // The sink to convert into.
    const Utf8Sink& sink() const { return writer_.started() ? behind_ : sink_; }
    // Waits until every piece is written and throws what writing the last one threw.
    void finish() { writer_.finish(); }

private:
    const Utf8Sink& sink_;
    Utf8Sink behind_;
    // Declared last, so that it waits for the piece being written before the rest is gone.
    WorkBehind writer_;
};

} // namespace quillora
