// Work handed over one piece at a time to a thread of its own, so that each piece overlaps making the next.
#pragma once

#include "platform/BackgroundWork.h"

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>

namespace quillora {

// At most one piece of work is in the thread's hands: handing over the next waits until the last is done, so what
// the last read may be refilled once hand() returns. Work runs in order, never two at once.
class WorkBehind
{
public:
    WorkBehind() = default;
    // Waits for the work under way; a failure it met is dropped, since the owner is already failing.
    ~WorkBehind();
    WorkBehind(const WorkBehind&) = delete;
    WorkBehind& operator=(const WorkBehind&) = delete;

    // Starts the thread; false when none can be had.
    bool start();
    bool started() const { return thread_.started(); }
    // Waits until the last work is done, throws what it threw, then hands work over.
    void hand(std::function<void()> work);
    // Waits until every work handed over is done and throws what the last threw.
    void finish();

private:
    void waitIdle(std::unique_lock<std::mutex>& lock);
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> pending_;
    bool stopping_ = false;
    std::exception_ptr failure_;
    BackgroundWork thread_;
};

} // namespace quillora
