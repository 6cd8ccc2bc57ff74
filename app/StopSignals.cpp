// Remembers the first stop signal in a flag the run polls before each file.
#include "app/StopSignals.h"

#include <csignal>
#include <signal.h>

namespace quillora {

namespace {
volatile std::sig_atomic_t caught = 0;

extern "C" void rememberSignal(int number)
{
    if (caught == 0)
        caught = number;
}
} // namespace

void catchStopSignals()
{
    // Without SA_RESTART, so that a read waiting on a pipe returns and the signal is seen.
    struct sigaction action = {};
    action.sa_handler = rememberSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int caughtStopSignal()
{
    return caught;
}

} // namespace quillora
