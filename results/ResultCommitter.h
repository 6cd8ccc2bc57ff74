// Puts complete result files in place on a thread of its own, a group at a time, while the next files are
// converted: each group's bytes go to the disk together, the files are renamed in the order handed, and each folder
// is flushed once per group.
#pragma once

#include "platform/BackgroundWork.h"
#include "platform/Failure.h"
#include "platform/ReplacingFile.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace quillora {

class ResultCommitter
{
public:
    // A complete file and the source it is named after in a failure.
    struct Pending
    {
        ReplacingFile file;
        QString source;
    };
    using Group = std::vector<Pending>;
    // The files that could not be put in place, with why, in the order handed.
    using Failures = std::vector<std::pair<QString, Failure>>;

    // Groups of groupSize files; where no thread can be started, each group is put in place as it fills.
    explicit ResultCommitter(std::size_t groupSize = largestGroup);
    // Puts every file handed in place first.
    ~ResultCommitter();
    ResultCommitter(const ResultCommitter&) = delete;
    ResultCommitter& operator=(const ResultCommitter&) = delete;

    // Takes a complete file; it goes in place after every file handed before it, with the group it fills.
    void queue(ReplacingFile file, const QString& source);
    // Waits at most the given time while more groups wait than the thread has in hand; true when one more file
    // may be written ahead.
    bool waitForRoom(std::chrono::milliseconds most);
    // Hands on the group being filled and waits at most the given time for every file handed to be in place and
    // durable; true once they are.
    bool finish(std::chrono::milliseconds most = std::chrono::milliseconds::max());
    // The failures since the last call; throws what putting a group in place threw.
    Failures takeFailures();

    // Makes a group durable and puts it in place, in its order, at once; returns its failures.
    static Failures commit(Group& group);

    // Files written ahead before their group is put in place, at most, and groups that may wait.
    static constexpr std::size_t largestGroup = 64;
    static constexpr std::size_t waitingGroups = 2;

private:
    void work();
    // Moves the group being filled to the waiting ones; without a thread, puts them in place here.
    void handOn(std::unique_lock<std::mutex>& lock);
    // Puts the waiting groups in place, one after the other, with lock held between them.
    void commitWaiting(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable changed_;
    // The group being filled, then the full ones in the order handed.
    Group filling_;
    std::deque<Group> waiting_;
    Failures failures_;
    std::exception_ptr thrown_;
    const std::size_t groupSize_;
    bool busy_ = false;
    bool ending_ = false;
    BackgroundWork thread_;
};

} // namespace quillora
