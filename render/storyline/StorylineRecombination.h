#pragma once

#include <vector>

class StorylineFrame;
class StorylineOrder;

// The best order that takes every step's order whole from one of the parents, or from a
// parent's mirror image (every order upside down, which crosses the same number of times): by
// dynamic programming over the steps, each change of parent counted by the crossings it makes.
// Where different layouts found different good stretches, the child joins the best of each.
StorylineOrder recombinedOrder(const StorylineFrame &frame,
                               const std::vector<const StorylineOrder *> &parents);
