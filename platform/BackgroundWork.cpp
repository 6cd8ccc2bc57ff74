// Starting, joining and standing in for a worker thread.
#include "platform/BackgroundWork.h"

#include <atomic>
#include <new>
#include <system_error>
#include <utility>

namespace quillora {

namespace {
std::atomic<int> refusals = 0;
} // namespace

BackgroundWork::RefusedThreads::RefusedThreads()
{
    ++refusals;
}

BackgroundWork::RefusedThreads::~RefusedThreads()
{
    --refusals;
}

BackgroundWork::~BackgroundWork()
{
    wait();
}

bool BackgroundWork::start(std::function<void()> work)
{
    if (thread_.joinable())
        join();
    work_ = std::move(work);
    failure_ = nullptr;
    if (refusals > 0)
        return false;
    try {
        thread_ = std::thread([this] { doWork(); });
    } catch (const std::system_error&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void BackgroundWork::run(std::function<void()> work)
{
    if (!start(std::move(work)))
        doWork();
}

void BackgroundWork::doWork()
{
    try {
        work_();
    } catch (...) {
        failure_ = std::current_exception();
    }
}

void BackgroundWork::wait() noexcept
{
    if (thread_.joinable())
        thread_.join();
    failure_ = nullptr;
}

void BackgroundWork::join()
{
    if (thread_.joinable())
        thread_.join();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

} // namespace quillora
