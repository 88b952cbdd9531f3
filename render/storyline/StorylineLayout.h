#pragma once

#include "scenes/StorylineSteps.h"

#include <functional>
#include <vector>

// A storyline laid out: where every line is drawn at every step.
struct StorylineLayout
{
    int stepCount = 0;
    int slotCount = 0;                   // the slots used: one more than the lowest
    std::vector<std::vector<int>> order; // per step, the drawn characters from top to bottom
    // Per character, per step: the vertical slot of its line (smaller is higher), or -1
    // where the line is not drawn.
    std::vector<std::vector<int>> lineSlots;
    // Pairs of lines drawn at two consecutive steps that swap places between them.
    int crossings = 0;
    // Times a line drawn at two consecutive steps moves up or down between them.
    int wiggles = 0;
};

// The layout with as few crossings as the search finds, then as few wiggles; never more than
// the first-appearance layout has. The same steps always give the same layout. `canceled`,
// when given, is asked now and then; once it says yes the search ends and an empty layout is
// returned at once.
StorylineLayout layoutStoryline(const StorylineSteps &steps,
                                const std::function<bool()> &canceled = {});

// The order of first appearance with groups pulled together, given slots by the same rules.
StorylineLayout firstAppearanceLayout(const StorylineSteps &steps);
