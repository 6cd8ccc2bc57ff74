// Folder flushes with fsync on a folder opened for reading; the work thread takes them in the order asked.
#include "engine/FolderFlusher.h"

#include <QFile>
#include <algorithm>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quillora {

void flushFolder(const QString& folder)
{
#ifndef Q_OS_WIN
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
#else
    // The system writes a rename through before it returns.
    Q_UNUSED(folder);
#endif
}

FolderFlusher::FolderFlusher()
    : thread_([this] { work(); })
{ }

FolderFlusher::~FolderFlusher()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void FolderFlusher::flush(const QString& folder)
{
    {
        const std::lock_guard lock(mutex_);
        if (std::find(waiting_.begin(), waiting_.end(), folder) != waiting_.end())
            return;
        waiting_.push_back(folder);
    }
    changed_.notify_all();
}

void FolderFlusher::finish()
{
    std::unique_lock lock(mutex_);
    hurry_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
    hurry_ = false;
}

void FolderFlusher::work()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
        if (waiting_.empty())
            return;
        // Renames that come meanwhile are made durable by the same flush, one flush for many small files.
        changed_.wait_for(lock, gathering, [this] { return ending_ || hurry_; });
        const std::deque<QString> folders = std::move(waiting_);
        waiting_.clear();
        busy_ = true;
        lock.unlock();
        for (const QString& folder : folders)
            flushFolder(folder);
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace quillora
