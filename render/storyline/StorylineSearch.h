#pragma once

#include <functional>

class StorylineFrame;
class StorylineOrder;

// The order with the fewest crossings the search finds. Sweeps from several starting orders
// (first appearance, then shuffles of a fixed seed) are cheap and land in different valleys;
// the best few are improved by local moves, and the best of those is returned. How many
// starts are tried depends only on the size of the storyline, so the result is always the
// same. `canceled`, when given, is asked between stages; once it says yes the best order so
// far is returned.
StorylineOrder searchFewestCrossings(const StorylineFrame &frame,
                                     const std::function<bool()> &canceled = {});
