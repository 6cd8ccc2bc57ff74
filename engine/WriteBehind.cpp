// One writer thread per large text, fed one piece at a time.
#include "engine/WriteBehind.h"

namespace quillora {

WriteBehind::WriteBehind(const Utf8Sink& sink, qint64 size)
    : sink_(sink)
{
    // Below a few pieces the thread costs more than the overlap gives.
    constexpr qint64 smallest = qint64(4) << 20;
    if (size < smallest)
        return;
    // No thread to be had: the text is written as it is converted.
    if (!writer_.start([this] { run(); }))
        return;
    behind_ = [this](QByteArrayView bytes) { write(bytes); };
}

WriteBehind::~WriteBehind()
{
    if (!writer_.started())
        return;
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        stopping_ = true;
    }
    changed_.notify_all();
    writer_.wait();
}

void WriteBehind::waitIdle(std::unique_lock<std::mutex>& lock)
{
    changed_.wait(lock, [this] { return !hasPending_; });
}

void WriteBehind::write(QByteArrayView bytes)
{
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        if (failure_)
            std::rethrow_exception(std::exchange(failure_, nullptr));
        pending_ = bytes;
        hasPending_ = true;
    }
    changed_.notify_all();
}

void WriteBehind::finish()
{
    if (!writer_.started())
        return;
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void WriteBehind::run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return hasPending_ || stopping_; });
        if (!hasPending_)
            return;
        const QByteArrayView bytes = pending_;
        std::exception_ptr failure;
        lock.unlock();
        try {
            sink_(bytes);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        hasPending_ = false;
        changed_.notify_all();
    }
}

} // namespace quillora
