#pragma once

#include <QString>

class BatchRunner;

// Whether this process is a worker that quillmark-cli started itself: its environment holds the
// coordinator's token (which is then removed, so nothing this process starts inherits it) and
// the first frame on standard input repeats it. Empty when it is; otherwise why not, for the
// person who typed --worker.
QString admitWorker();

// The worker side of a run: takes one screenplay after another from standard input and sends
// each outcome back on standard output, until the input ends. Anything else that would reach
// standard output goes to standard error instead, which each analysis collects, so the replies
// cannot be corrupted. A terminal's interrupt and hang-up are left to the coordinator, which
// stops its workers itself and then sweeps up after them; a worker whose coordinator is gone
// ends at once.
int runWorker(BatchRunner &runner);
