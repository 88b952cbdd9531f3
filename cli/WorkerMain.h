#pragma once

class BatchRunner;

// The worker side of a parallel run: takes one screenplay after another from standard input
// and sends each outcome back on standard output, until the input ends. Anything else that
// would reach standard output goes to standard error instead, which each analysis collects, so
// the replies cannot be corrupted.
int runWorker(BatchRunner &runner);
