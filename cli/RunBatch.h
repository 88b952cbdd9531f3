#pragma once

struct CliOptions;

// A whole run of the command line: gathers the files, analyses them (in this process, or
// in worker processes when more than one at a time is asked for), reports them in order and
// writes the corpus table. Returns the exit status.
int runBatch(const CliOptions &options);

// The worker side of runBatch, for a process started with --worker.
int runBatchWorker(const CliOptions &options);
