#pragma once

#include "scenes/MarkupBuilder.h"

struct StageProgress;

// The time-coded pass: one "fight" and one "break" scene per record, then "end". A record
// with a negative duration, a negative or non-finite start or a time beyond 1e9 s makes no
// scene; MarkupResult::skippedRecords counts them.
MarkupResult markupTimed(const MarkupSources &sources, const StageProgress &progress);
