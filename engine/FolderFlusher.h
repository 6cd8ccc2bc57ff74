// Flushes folders to the disk on a thread of its own, so a result's rename is made durable while the next file is
// read and written.
#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace quillora {

// Flushes a folder to the disk at once: a rename in it is then durable. Folders that cannot be flushed are left to
// the system.
void flushFolder(const QString& folder);

class FolderFlusher
{
public:
    FolderFlusher();
    // Waits for every flush asked for.
    ~FolderFlusher();
    FolderFlusher(const FolderFlusher&) = delete;
    FolderFlusher& operator=(const FolderFlusher&) = delete;

    // Flushes folder after everything done in it so far, within a few milliseconds; a flush of it not yet started
    // serves both.
    void flush(const QString& folder);
    // Returns once every flush asked for is done, without waiting for more to gather.
    void finish();

    static constexpr std::chrono::milliseconds gathering{10};

private:
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QString> waiting_;
    bool busy_ = false;
    bool hurry_ = false;
    bool ending_ = false;
    std::thread thread_;
};

} // namespace quillora
