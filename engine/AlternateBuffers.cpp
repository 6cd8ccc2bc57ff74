// Grows each buffer only when a piece needs more than it holds.
#include "engine/AlternateBuffers.h"

namespace quillora {

char* AlternateBuffers::next(qsizetype size)
{
    current_ = 1 - current_;
    if (size > capacities_[current_]) {
        buffers_[current_].reset(new char[size_t(size)]);
        capacities_[current_] = size;
    }
    return buffers_[current_].get();
}

} // namespace quillora
