// One thread, fed one piece of work at a time under one lock.
#include "engine/WorkBehind.h"

#include <utility>

namespace quillora {

WorkBehind::~WorkBehind()
{
    if (!thread_.started())
        return;
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.wait();
}

bool WorkBehind::start()
{
    return thread_.start([this] { run(); });
}

void WorkBehind::waitIdle(std::unique_lock<std::mutex>& lock)
{
    changed_.wait(lock, [this] { return !pending_; });
}

void WorkBehind::hand(std::function<void()> work)
{
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        if (failure_)
            std::rethrow_exception(std::exchange(failure_, nullptr));
        pending_ = std::move(work);
    }
    changed_.notify_all();
}

void WorkBehind::finish()
{
    if (!thread_.started())
        return;
    std::unique_lock lock(mutex_);
    waitIdle(lock);
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void WorkBehind::run()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_)
            return;
        // Nobody changes the work while it is pending.
        std::exception_ptr failure;
        lock.unlock();
        try {
            pending_();
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
