// Asks the terminal driver through the stream's descriptor.
#include "platform/Terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace quillora {

bool isTerminal(FILE* stream)
{
    return isatty(fileno(stream));
}

int terminalColumns(FILE* stream)
{
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

} // namespace quillora
