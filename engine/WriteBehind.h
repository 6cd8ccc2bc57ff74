// Hands converted bytes to a sink on a thread of its own, so that writing one piece overlaps converting the next.
#pragma once

#include "engine/WordsToLines.h"
#include "platform/BackgroundWork.h"

#include <condition_variable>
#include <exception>
#include <mutex>

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
    // Waits for the piece being written; a failure it met is dropped, since the caller is already failing.
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // The sink to convert into.
    const Utf8Sink& sink() const { return writer_.started() ? behind_ : sink_; }
    // Waits until every piece is written and throws what writing the last one threw.
    void finish();

private:
    // Waits until the last piece is written, throws what writing it threw, then hands bytes to the writer.
    void write(QByteArrayView bytes);
    void waitIdle(std::unique_lock<std::mutex>& lock);
    void run();

    const Utf8Sink& sink_;
    Utf8Sink behind_;
    std::mutex mutex_;
    std::condition_variable changed_;
    QByteArrayView pending_;
    bool hasPending_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    BackgroundWork writer_;
};

} // namespace quillora
