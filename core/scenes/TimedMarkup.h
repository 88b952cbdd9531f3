#pragma once

#include "scenes/MarkupBuilder.h"

struct StageProgress;

// The time-coded pass: one "fight" and one "break" scene per record, then "end".
MarkupResult markupTimed(const MarkupSources &sources, const StageProgress &progress);
