#pragma once

#include <functional>
#include <vector>

class StorylineFrame;
class StorylineOrder;

// Which neighbouring steps a step's order is compared with.
enum class StorylineNeighbours { Previous, Next, Both };

// Moves one item of the sequence at a time to the place where it costs least, until no move
// lowers the cost. `above(a, b)` is the cost of item a standing anywhere above item b. An item
// stays where it is unless a move is strictly cheaper. True when the sequence changed.
bool siftSequence(std::vector<int> &items, const std::function<long long(int, int)> &above);

// Reorders the units of the step and then the members of each of its groups, by sifting, so
// that the step crosses the fewest lines of its neighbouring steps. True when it changed.
bool siftStep(const StorylineFrame &frame, StorylineOrder &order, int step,
              StorylineNeighbours neighbours);
