#pragma once

#include "scenes/MarkupBuilder.h"

struct StageProgress;

// The pass over a sessions file: one scene ("step") per line, counting each member of its
// groups once, and the groups themselves for the storyline. The markup is the lines as text.
MarkupResult markupSessions(const MarkupSources &sources, const StageProgress &progress);
