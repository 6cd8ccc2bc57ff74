// The calls that put a file's or a folder's bytes on the disk, through one door that a test can replace: a flush
// that fails cannot be made for real.
#pragma once

namespace quillora {

struct FlushCalls
{
    // Each returns 0, or -1 with errno set, as fdatasync and fsync do.
    int (*fileData)(int handle);
    int (*folder)(int handle);
};

// The calls in use: the system's own unless a test has replaced them.
FlushCalls& flushCalls();

} // namespace quillora
