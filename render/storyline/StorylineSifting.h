#pragma once

class StorylineFrame;
class StorylineOrder;

// Which neighbouring steps a step's order is compared with.
enum class StorylineNeighbours { Previous, Next, Both };

// Reorders the units of the step and then the members of each of its groups, by sifting, so
// that the step crosses the fewest lines of its neighbouring steps. True when it changed.
bool siftStep(const StorylineFrame &frame, StorylineOrder &order, int step,
              StorylineNeighbours neighbours);
