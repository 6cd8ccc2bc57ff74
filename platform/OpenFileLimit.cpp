// The open-file limit from the system's resource limits.
#include "platform/OpenFileLimit.h"

#include <QtGlobal>
#include <algorithm>
#include <limits>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace quillora {

std::size_t openFileLimit()
{
    static const std::size_t limit = [] {
        constexpr std::size_t unbounded = std::numeric_limits<int>::max();
#ifndef Q_OS_WIN
        rlimit files{};
        if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY)
            return std::min<std::size_t>(files.rlim_cur, unbounded);
#endif
        return unbounded;
    }();
    return limit;
}

} // namespace quillora
