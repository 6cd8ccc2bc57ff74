// Counts batches of words on a thread of its own, so that counting one piece overlaps converting and splitting the
// next.
#pragma once

#include "engine/WordBatch.h"
#include "engine/WorkBehind.h"

namespace quillora {

// At most one batch is in the counter's hands at a time: handing over the next waits until the last is counted, so
// the batch before the last may be refilled once count() returns. Where no thread can be had, batches are counted as
// they are handed over.
class CountBehind
{
public:
    explicit CountBehind(WordCounts& counts)
        : counts_(counts)
    { }

    // Waits until the last batch is counted, throws what counting it threw, then hands batch over; batch must stay
    // as it is until the next call or finish().
    void count(const WordBatch& batch);
    // Waits until every batch is counted and throws what counting the last one threw.
    void finish() { counter_.finish(); }

private:
    WordCounts& counts_;
    int handed_ = 0;
    // No thread could be started: every batch is counted as it is handed over.
    bool refused_ = false;
    WorkBehind counter_;
};

} // namespace quillora
