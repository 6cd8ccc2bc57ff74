// Swaps the flush calls for one that fails, and the system's own back.
#include "platform/testing/FailingFlushes.h"

#include "platform/FlushCalls.h"

#include <cerrno>

namespace quillora {

namespace {
int failure = 0;
FlushCalls saved{};

int fail(int)
{
    errno = failure;
    return -1;
}
} // namespace

FailingFlushes::FailingFlushes(bool fileData, bool folders, int error)
{
    failure = error;
    saved = flushCalls();
    if (fileData)
        flushCalls().fileData = fail;
    if (folders)
        flushCalls().folder = fail;
}

FailingFlushes::~FailingFlushes()
{
    flushCalls() = saved;
}

} // namespace quillora
