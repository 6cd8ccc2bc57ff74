// One counting thread per large text, started with its second piece: a text of one piece is counted where it is.
#include "engine/CountBehind.h"

namespace quillora {

void CountBehind::count(const WordBatch& batch)
{
    if (!counter_.started()) {
        // The first batch is counted here; the thread starts with the second, if a thread is to be had.
        const bool start = handed_++ > 0 && !refused_;
        if (!start || !counter_.start()) {
            refused_ = start;
            batch.countInto(counts_);
            return;
        }
    }
    counter_.hand([this, &batch] { batch.countInto(counts_); });
}

} // namespace quillora
