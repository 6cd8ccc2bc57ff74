// Ctrl+C and Ctrl+Break, remembered by a console control handler in a flag the run polls before each file.
#include "platform/StopSignals.h"

#include <atomic>
#include <csignal>
#include <windows.h>

namespace quillora {

namespace {
std::atomic<int> caught = 0;

// Runs on a thread of its own that the system starts for each event.
BOOL WINAPI rememberStop(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // Told as the signal numbers of other systems, so the exit status reads the same: Ctrl+C is SIGINT.
    int none = 0;
    caught.compare_exchange_strong(none, event == CTRL_C_EVENT ? SIGINT : SIGTERM);
    return TRUE;
}
} // namespace

void catchStopSignals()
{
    SetConsoleCtrlHandler(rememberStop, TRUE);
}

int caughtStopSignal()
{
    return caught;
}

void stopIfSignalled()
{
    if (caught != 0)
        throw StopSignalCaught();
}

} // namespace quillora
