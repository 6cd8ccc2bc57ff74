// Remembers the first stop signal in a flag the run polls before each file.
#include "app/StopSignals.h"

#include <csignal>

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
    std::signal(SIGINT, rememberSignal);
    std::signal(SIGTERM, rememberSignal);
}

int caughtStopSignal()
{
    return caught;
}

} // namespace quillora
