#pragma once

#include "scenes/StorylineSteps.h"

#include <QString>
#include <QStringList>

// A sessions file ("*.storyline"), the way storyline benchmarks are written: one line per time
// step, the groups of a step separated by tabs and the names of a group by commas. An empty
// line is a step with nobody. Names are trimmed and their inner blanks run together.
struct SessionsText
{
    QStringList names; // in the order they first appear: character k of the steps is names[k]
    StorylineSteps steps;
    QString error; // why the lines are not a sessions file, naming the line; empty when they are
};

// A name repeated within a group counts once; a name in two groups of one step is a mistake
// of the file, and so is a file that names nobody.
SessionsText parseSessions(const QStringList &lines);
