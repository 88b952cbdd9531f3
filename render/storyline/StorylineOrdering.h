#pragma once

#include <functional>
#include <vector>

class StorylineFrame;
class StorylineOrder;

// Every step ordered by a rank of the characters, each group pulled together: the units stand
// in the order of their best-ranked member, and a group's members in the order of their ranks.
StorylineOrder rankedOrder(const StorylineFrame &frame, const std::vector<int> &rank);

// rankedOrder by first appearance: the baseline, which the layout never does worse than.
StorylineOrder firstAppearanceOrder(const StorylineFrame &frame);

// Sweeps once over the steps (forward or backward), ordering each step's units by the mean
// position of their members at the step before in the sweep and then sifting them against it.
void sweepOrder(const StorylineFrame &frame, StorylineOrder &order, bool forward);

// Lowers the crossings of the order by local moves (each line laid anew over its whole
// length, each step's units and members sifted against both neighbours) until none helps or
// `rounds` rounds are done. True when the order changed.
bool improveOrder(const StorylineFrame &frame, StorylineOrder &order, int rounds,
                  const std::function<bool()> &canceled = {});
