// One counting thread per large text, started with its second piece: a text of one piece is counted where it is.
#include "engine/CountBehind.h"

namespace quillora {

CountBehind::CountBehind(WordCounts& counts)
    : counts_(counts)
{ }

CountBehind::~CountBehind()
{
    if (!counter_.started())
        return;
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        stopping_ = true;
    }
    changed_.notify_all();
    counter_.wait();
}

void CountBehind::waitIdle(std::unique_lock<std::mutex>& lock)
{
    changed_.wait(lock, [this] { return pending_ == nullptr; });
}

void CountBehind::count(const WordBatch& batch)
{
    if (!counter_.started()) {
        // The first batch is counted here; the thread starts with the second, if a thread is to be had.
        const bool start = handed_++ > 0 && !refused_;
        if (!start || !counter_.start([this] { run(); })) {
            refused_ = start;
            batch.countInto(counts_);
            return;
        }
    }
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        if (failure_)
            std::rethrow_exception(std::exchange(failure_, nullptr));
        pending_ = &batch;
    }
    changed_.notify_all();
}

void CountBehind::finish()
{
    if (!counter_.started())
        return;
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void CountBehind::run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return pending_ != nullptr || stopping_; });
        if (pending_ == nullptr)
            return;
        const WordBatch* batch = pending_;
        std::exception_ptr failure;
        lock.unlock();
        try {
            batch->countInto(counts_);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        pending_ = nullptr;
        changed_.notify_all();
    }
}

} // namespace quillora
