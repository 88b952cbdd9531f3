#pragma once

#include <vector>

class StorylineFrame;
class StorylineOrder;

// Lays a bundle of lines anew over a stretch of steps, every other line staying where it is:
// the path with the fewest crossings, found by dynamic programming over the places the bundle
// may take at each step. The bundle's members stand together at every step of the stretch,
// in the order they have, and keep that order; at each step they are all in one group (then
// they stay among its members) or they are the whole group, or stand alone (then they go
// between units). A `window` above 0 keeps each step's places within that many positions of
// the present one, for storylines too large to try every place. The bundle only moves when
// that removes crossings. True when it moved; false too when the members do not stand
// together as said.
bool rerouteBundle(const StorylineFrame &frame, StorylineOrder &order,
                   const std::vector<int> &members, int first, int last, int window);

// rerouteBundle of one character's line over its whole length.
bool rerouteLine(const StorylineFrame &frame, StorylineOrder &order, int character, int window);
