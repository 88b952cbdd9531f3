#pragma once

#include <vector>

class StorylineFrame;
class StorylineOrder;

// The vertical slots of every line: slots[character][step], smaller is higher, -1 where the
// line is not drawn. At each step the slots follow the order; a group's members stand in
// consecutive slots and an empty slot at least separates one unit from the next. Within
// those rules the slots are chosen so that as few lines as possible move up or down from one
// step to the next (and, among equal counts, so that they move as little as possible).
std::vector<std::vector<int>> assignSlots(const StorylineFrame &frame, const StorylineOrder &order);

// The wiggles of the slots: the times a line drawn at two consecutive steps changes slot.
int countWiggles(const std::vector<std::vector<int>> &lineSlots);
