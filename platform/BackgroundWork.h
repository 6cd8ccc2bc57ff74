// Work on a thread of its own, joined before its owner goes; where no thread can be started, the owner is told so
// and does the work on its own thread, and what the work throws is handed back to the caller either way.
#pragma once

#include <exception>
#include <functional>
#include <thread>

namespace quillora {

class BackgroundWork
{
public:
    BackgroundWork() = default;
    // Waits for the work; what it threw and nobody took is dropped.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Starts work on a thread of its own; false, with nothing run, when no thread can be started.
    bool start(std::function<void()> work);
    // Starts work on a thread of its own, or does it here, returning once it is done, when none can be started;
    // join() throws what it threw either way.
    void run(std::function<void()> work);
    bool started() const { return thread_.joinable(); }
    // Waits for the work to end and throws what it threw.
    void join();
    // Waits for the work to end; what it threw is dropped, as the owner is going anyway.
    void wait() noexcept;

    // While one lives, no thread can be started, as when the system has none left to give.
    class RefusedThreads
    {
    public:
        RefusedThreads();
        ~RefusedThreads();
        RefusedThreads(const RefusedThreads&) = delete;
        RefusedThreads& operator=(const RefusedThreads&) = delete;
    };

private:
    void doWork();

    std::function<void()> work_;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace quillora
