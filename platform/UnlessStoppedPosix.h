// Reads and writes on descriptors that a stop signal ends even while they wait.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace quillora {

// read() and write() that a stop signal ends even while they wait on a pipe, and even when the signal comes just
// before they begin to wait: they then fail with EINTR and caughtStopSignal() tells the signal. Once one has been
// ended so, SIGINT and SIGTERM stay caught and the caller must stop.
ssize_t readUnlessStopped(int fd, void* bytes, std::size_t size);
ssize_t writeUnlessStopped(int fd, const void* bytes, std::size_t size);

} // namespace quillora
