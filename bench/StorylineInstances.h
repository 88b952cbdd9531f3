#pragma once

#include "scenes/StorylineSteps.h"

#include <QStringList>

#include <cstdint>

// How a generated storyline is made. Every character's line spans a stretch of the steps;
// the characters follow a hidden order that drifts by swaps of neighbours, and most groups
// are runs of neighbours in it, so a layout with few crossings exists (with no strays, one
// with exactly the planted swaps' crossings). Strays are groups drawn at random.
struct StorylineShape
{
    int characters = 12;
    int steps = 200;
    int mostGroups = 2;   // groups per step: 1 to this
    int largestGroup = 4; // members per group: 2 to this
    double strays = 0.1;  // share of groups whose members are drawn at random
    double swaps = 0.03;  // chance per step that two neighbours of the hidden order swap
    double life = 1.0;    // mean share of the steps a character's line spans (at most 1)
    std::uint64_t seed = 1;
};

struct GeneratedStoryline
{
    StorylineSteps steps;
    QStringList names;
    int plantedCrossings = -1; // crossings of the hidden order's layout; -1 when strays break it
};

GeneratedStoryline generateStoryline(const StorylineShape &shape);

// The lines of a sessions file for the storyline: groups by tabs, names by commas.
QStringList sessionsLines(const StorylineSteps &steps, const QStringList &names);
