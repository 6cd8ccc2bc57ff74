// The commit thread: a group's writeback starts for all its files before the first is waited for, so the disk
// takes them together, and a rename is made only after its own file's bytes are on the disk.
#include "results/ResultCommitter.h"

#include "results/ResultFailure.h"

#include <QStringList>
#include <algorithm>
#include <atomic>

namespace quillora {

namespace {
// Waits for the bytes of every file of the group on a few threads at once: the disk's cache flushes that several
// files ask for together are done as one, where one file after the other each waits for a flush of its own.
std::vector<FileError> flushAll(ResultCommitter::Group& group)
{
    constexpr std::size_t lanes = 4;
    std::vector<FileError> errors(group.size());
    std::atomic<std::size_t> next = 0;
    const auto lane = [&] {
        for (std::size_t i = next++; i < group.size(); i = next++)
            errors[i] = group[i].file.flushData();
    };
    // A helper that gets no thread takes its share here; the lanes share one counter, so nothing is done twice.
    std::vector<BackgroundWork> helpers(group.empty() ? 0 : std::min(lanes, group.size()) - 1);
    for (BackgroundWork& helper : helpers)
        helper.run(lane);
    lane();
    for (BackgroundWork& helper : helpers)
        helper.join();
    return errors;
}

// The renames are durable once their folders are: each folder is flushed once, and one that fails fails every file
// renamed into it.
void flushFolders(const QStringList& folders, const QStringList& sources, ResultCommitter::Failures& failures)
{
    for (qsizetype i = 0; i < folders.size(); ++i) {
        if (folders.indexOf(folders[i]) != i)
            continue;
        const FileError error = flushFolder(folders[i]);
        for (qsizetype j = i; error != FileError::None && j < folders.size(); ++j) {
            if (folders[j] == folders[i])
                failures.emplace_back(sources[j], resultFailure(error, folders[i]));
        }
    }
}
} // namespace

ResultCommitter::Failures ResultCommitter::commit(Group& group)
{
    Failures failures;
    // The folder of each file renamed, and its source.
    QStringList folders;
    QStringList renamed;
    const auto failed = [&](Pending& pending, FileError error, const QString& folder) {
        failures.emplace_back(pending.source, resultFailure(error, folder));
        pending.file.discard();
    };
    for (Pending& pending : group)
        pending.file.startWriteback();
    const std::vector<FileError> flushed = flushAll(group);
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (flushed[i] != FileError::None)
            failed(group[i], flushed[i], group[i].file.folder());
    }
    for (Pending& pending : group) {
        if (!pending.file.isOpen())
            continue;
        const QString folder = pending.file.folder();
        if (const FileError error = pending.file.putInPlace(); error != FileError::None)
            failed(pending, error, folder);
        else {
            folders.append(folder);
            renamed.append(pending.source);
        }
    }
    flushFolders(folders, renamed, failures);
    group.clear();
    return failures;
}

ResultCommitter::ResultCommitter(std::size_t groupSize)
    : groupSize_(std::max<std::size_t>(groupSize, 1))
{
    thread_.start([this] { work(); });
}

ResultCommitter::~ResultCommitter()
{
    finish();
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
}

void ResultCommitter::queue(ReplacingFile file, const QString& source)
{
    std::unique_lock lock(mutex_);
    filling_.push_back({std::move(file), source});
    if (filling_.size() >= groupSize_)
        handOn(lock);
}

void ResultCommitter::handOn(std::unique_lock<std::mutex>& lock)
{
    if (filling_.empty())
        return;
    waiting_.push_back(std::move(filling_));
    filling_.clear();
    if (thread_.started())
        changed_.notify_all();
    else
        commitWaiting(lock);
}

bool ResultCommitter::waitForRoom(std::chrono::milliseconds most)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, most, [this] { return waiting_.size() < waitingGroups; });
}

bool ResultCommitter::finish(std::chrono::milliseconds most)
{
    std::unique_lock lock(mutex_);
    handOn(lock);
    const auto done = [this] { return waiting_.empty() && !busy_; };
    if (most == std::chrono::milliseconds::max()) {
        changed_.wait(lock, done);
        return true;
    }
    return changed_.wait_for(lock, most, done);
}

ResultCommitter::Failures ResultCommitter::takeFailures()
{
    const std::lock_guard lock(mutex_);
    if (thrown_)
        std::rethrow_exception(std::exchange(thrown_, nullptr));
    return std::exchange(failures_, {});
}

void ResultCommitter::commitWaiting(std::unique_lock<std::mutex>& lock)
{
    while (!waiting_.empty()) {
        Group group = std::move(waiting_.front());
        waiting_.pop_front();
        busy_ = true;
        changed_.notify_all();
        lock.unlock();
        Failures failed;
        std::exception_ptr thrown;
        try {
            failed = commit(group);
        } catch (...) {
            thrown = std::current_exception();
        }
        lock.lock();
        failures_.insert(failures_.end(), std::make_move_iterator(failed.begin()),
                         std::make_move_iterator(failed.end()));
        if (thrown && !thrown_)
            thrown_ = thrown;
        busy_ = false;
        changed_.notify_all();
    }
}

void ResultCommitter::work()
{
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
        if (waiting_.empty())
            return;
        commitWaiting(lock);
    }
}

} // namespace quillora
