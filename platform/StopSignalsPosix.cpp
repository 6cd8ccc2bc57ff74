// Remembers the first stop signal in a flag the run polls before each file, and breaks a wait on a pipe.
#include "platform/StopSignals.h"
#include "platform/UnlessStoppedPosix.h"

#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

namespace quillora {

namespace {
volatile std::sig_atomic_t caught = 0;
// Set while a read or write that a signal may end is under way on waitThread; the handler, run on that thread,
// then jumps back to its start. Another thread that takes the signal hands it on to that one.
std::atomic<bool> waitArmed = false;
std::atomic<pthread_t> waitThread;
sigjmp_buf waitStart;

extern "C" void rememberSignal(int number)
{
    if (caught == 0)
        caught = number;
    if (!waitArmed)
        return;
    if (!pthread_equal(pthread_self(), waitThread)) {
        pthread_kill(waitThread, number);
        return;
    }
    waitArmed = false;
    siglongjmp(waitStart, 1);
}

// Runs call unless a stop signal has come or comes before it returns. A signal that comes after the flag is
// checked but before the call begins to wait would otherwise leave it waiting until the other end moves, so the
// handler leaves the call by a jump instead; read and write may be left so.
template <typename Call> ssize_t unlessStopped(Call call)
{
    // Without saving the signal mask, which costs a system call each time; after a jump it is restored below.
    if (sigsetjmp(waitStart, 0) != 0) {
        sigset_t stops;
        sigemptyset(&stops);
        sigaddset(&stops, SIGINT);
        sigaddset(&stops, SIGTERM);
        sigprocmask(SIG_UNBLOCK, &stops, nullptr);
        errno = EINTR;
        return -1;
    }
    waitThread = pthread_self();
    waitArmed = true;
    if (caught != 0) {
        waitArmed = false;
        errno = EINTR;
        return -1;
    }
    const ssize_t done = call();
    waitArmed = false;
    return done;
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

void stopIfSignalled()
{
    if (caught != 0)
        throw StopSignalCaught();
}

ssize_t readUnlessStopped(int fd, void* bytes, std::size_t size)
{
    return unlessStopped([=] { return ::read(fd, bytes, size); });
}

ssize_t writeUnlessStopped(int fd, const void* bytes, std::size_t size)
{
    return unlessStopped([=] { return ::write(fd, bytes, size); });
}

} // namespace quillora
