// Asks the console that owns the stream's handle.
#include "platform/Terminal.h"

#include <io.h>
#include <windows.h>

namespace quillora {

bool isTerminal(FILE* stream)
{
    return _isatty(_fileno(stream));
}

int terminalColumns(FILE* stream)
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    if (GetConsoleScreenBufferInfo(console, &info)) {
        const int columns = info.srWindow.Right - info.srWindow.Left + 1;
        if (columns > 0)
            return columns;
    }
    return 80;
}

} // namespace quillora
