#pragma once

#include <cstdio>

// The fixed diagnostic lines ("got here!\n", "resize %d %d \n", the shader logs, ...) all go
// through here. The window sends them to standard output; the command-line tool to
// standard error, so that its standard output stays a clean stream of results.
namespace Diagnostics {

void setStream(std::FILE *stream);
std::FILE *stream();

// printf-style; flushed at once so the lines interleave with other output as written.
void print(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // namespace Diagnostics
