// The thread that keeps a few unnamed files ready in the folder asked for last.
#include "platform/FilesAhead.h"

#include <mutex>

namespace quillora {

namespace {
// The files made ahead that new replacing files are taken from, the last made of those that live.
std::mutex liveMutex;
FilesAhead* live = nullptr;
} // namespace

int takeFileMadeAhead(const QString& folder)
{
    const std::lock_guard lock(liveMutex);
    return live ? live->take(folder) : -1;
}

FilesAhead::FilesAhead(std::size_t mostReady)
    : mostReady_(mostReady)
{
    if (mostReady_ > 0)
        thread_.start([this] { work(); });
    const std::lock_guard lock(liveMutex);
    before_ = live;
    live = this;
}

FilesAhead::~FilesAhead()
{
    {
        const std::lock_guard lock(liveMutex);
        live = before_;
    }
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.wait();
    dropAll();
}

void FilesAhead::dropAll()
{
    for (const int handle : handles_)
        closeUnnamedFile(handle);
    handles_.clear();
}

void FilesAhead::giveBack()
{
    const std::lock_guard lock(mutex_);
    dropAll();
    folder_.clear();
}

int FilesAhead::take(const QString& folder)
{
    if (!thread_.started())
        return -1;
    const std::lock_guard lock(mutex_);
    if (folder != folder_) {
        dropAll();
        folder_ = folder;
    }
    int handle = -1;
    if (!handles_.empty()) {
        handle = handles_.front();
        handles_.pop_front();
    }
    changed_.notify_all();
    return handle;
}

void FilesAhead::work()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return ending_ || (!folder_.isEmpty() && handles_.size() < mostReady_); });
        if (ending_)
            return;
        const QString folder = folder_;
        lock.unlock();
        const int handle = makeUnnamedFile(folder);
        lock.lock();
        if (handle < 0) {
            // The folder takes no unnamed files (or no more): the caller makes its own.
            folder_.clear();
        } else if (folder != folder_) {
            closeUnnamedFile(handle);
        } else {
            handles_.push_back(handle);
        }
    }
}

} // namespace quillora
