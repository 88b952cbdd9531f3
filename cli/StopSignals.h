#pragma once

// SIGTERM, SIGINT and SIGHUP, caught for the coordinating process so that it can stop its
// workers and sweep up their temporary files before it ends. The handler only notes the signal
// and wakes the event loop through a pipe; the work is done outside it.
namespace StopSignals {

// Catches them from now on. A signal the process was started with ignored (nohup, a
// background job of a script) stays ignored.
void catchAll();

// Becomes readable when a signal has arrived; -1 before catchAll().
int descriptor();

// The first signal that arrived; 0 while none has.
int received();

// The exit status of a run that a signal ended: 128 and its number, as a shell reports it.
int exitStatus(int signal);

} // namespace StopSignals
