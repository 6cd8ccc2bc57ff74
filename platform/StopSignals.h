// Ctrl+C and SIGTERM, caught so that a run stops between files instead of in the middle of one.
#pragma once

namespace quillora {

// From now on SIGINT and SIGTERM are remembered instead of ending the process.
void catchStopSignals();
// The signal caught first, 0 while none has come.
int caughtStopSignal();

// Thrown where a stop signal ends a piece of work.
struct StopSignalCaught
{ };
// Throws StopSignalCaught once a stop signal has come.
void stopIfSignalled();

} // namespace quillora
