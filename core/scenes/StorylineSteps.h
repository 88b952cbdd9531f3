#pragma once

#include <vector>

class TimeIndexVector;

// Who is with whom, step by step: what a storyline is drawn from. Characters are numbered
// 0..characterCount-1 (the order of the index they come from); a group holds the characters
// that share one scene or session of a step. No character stands in two groups of one step,
// and a step may hold no group at all.
struct StorylineSteps
{
    using Group = std::vector<int>;
    using Step = std::vector<Group>;

    int characterCount = 0;
    std::vector<Step> steps;
};

// One step per scene of the index, each with one group: the characters the scene counts, in
// index order (none for a scene that counts nobody).
StorylineSteps storylineStepsFromIndex(const TimeIndexVector &index);
