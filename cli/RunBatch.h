#pragma once

struct CliOptions;

// A whole run of the command line: gathers the files, refuses a run whose outputs would replace
// its inputs, analyses the files in worker processes (one for -j 1 too, so that a file that
// crashes or hangs costs only itself), reports them in order and writes the corpus table.
// Returns the exit status.
int runBatch(const CliOptions &options);

// The worker side of runBatch, for a process started with --worker.
int runBatchWorker(const CliOptions &options);
