#pragma once

#include <QByteArray>
#include <QString>

// Standard output carries the results (the JSON lines, the usage text), so every write to it is
// checked: a full disk, a closed pipe or a stream that was never open loses results, and the
// run must then say so and end with a failure rather than look as if all went well.
namespace StandardOutput {

// Puts a placeholder on each of the three standard descriptors that the process was started
// without. Otherwise the first file opened would take its number, and what is meant for
// standard output would land in it. The placeholder for standard output refuses writes, so a
// closed standard output fails the writes meant for it.
void guardClosedDescriptors();

// Writes and flushes; after the first failure, nothing more is attempted. True while every
// write so far went through.
bool write(const QByteArray &bytes);

// Why a write failed; empty while none has.
QString failure();

// Says on standard error that results were lost, once; true when there was nothing to say.
bool reportFailure();

} // namespace StandardOutput
