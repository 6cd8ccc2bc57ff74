// Counts batches of words on a thread of its own, so that counting one piece overlaps converting and splitting the
// next.
#pragma once

#include "engine/WordBatch.h"
#include "platform/BackgroundWork.h"

#include <condition_variable>
#include <exception>
#include <mutex>

namespace quillora {

// At most one batch is in the counter's hands at a time: handing over the next waits until the last is counted, so
// the batch before the last may be refilled once count() returns. Where no thread can be had, batches are counted as
// they are handed over.
class CountBehind
{
public:
    explicit CountBehind(WordCounts& counts);
    // Waits for the batch being counted; a failure it met is dropped, since the caller is already failing.
    ~CountBehind();
    CountBehind(const CountBehind&) = delete;
    CountBehind& operator=(const CountBehind&) = delete;

    // Waits until the last batch is counted, throws what counting it threw, then hands batch over; batch must stay
    // as it is until the next call or finish().
    void count(const WordBatch& batch);
    // Waits until every batch is counted and throws what counting the last one threw.
    void finish();

private:
    void waitIdle(std::unique_lock<std::mutex>& lock);
    void run();

    WordCounts& counts_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const WordBatch* pending_ = nullptr;
    bool stopping_ = false;
    std::exception_ptr failure_;
    BackgroundWork counter_;
    int handed_ = 0;
    // No thread could be started: every batch is counted as it is handed over.
    bool refused_ = false;
};

} // namespace quillora
