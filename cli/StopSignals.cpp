#include "StopSignals.h"

#include <csignal>
#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>

namespace StopSignals {

namespace {

volatile sig_atomic_t first = 0;
int wakeUp[2] = {-1, -1};

void noteSignal(int signal)
{
    if (first == 0)
        first = signal;
    const char byte = static_cast<char>(signal);
    // Async-signal-safe; a full pipe already holds a wake-up, so its failure does not matter.
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
}

} // namespace

void catchAll()
{
    if (wakeUp[0] >= 0 || ::pipe(wakeUp) != 0)
        return;
    for (const int end : wakeUp) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous = {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

int descriptor()
{
    return wakeUp[0];
}

int received()
{
    return first;
}

int exitStatus(int signal)
{
    return 128 + signal;
}

} // namespace StopSignals
