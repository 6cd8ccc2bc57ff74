// Fills closed standard descriptors with the null device.
#include "platform/StandardDescriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillora {

void holdStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() takes the lowest free descriptor, which is this one: the ones below it are open by now.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd) {
            // Nothing may take its place unseen: without the null device the program cannot run safely.
            if (opened >= 0)
                ::close(opened);
            ::_exit(127);
        }
    }
}

} // namespace quillora
