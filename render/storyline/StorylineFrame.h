#pragma once

#include "scenes/StorylineSteps.h"

#include <cstddef>
#include <vector>

// The steps of a storyline as the layout works with them. A character's line is drawn from
// the first step that groups it to the last; at a step between them that groups it nowhere
// it stands alone, as a group of one. Each step's groups and lone characters are its units:
// the layout orders the units of a step and the members within each group, and a unit's
// members always stand together.
class StorylineFrame
{
public:
    explicit StorylineFrame(const StorylineSteps &steps);

    int characterCount() const { return m_characters; }
    int stepCount() const { return m_steps; }
    // The first and last step of the character's line; -1 for both when no step groups it.
    int firstStep(int character) const { return m_first[character]; }
    int lastStep(int character) const { return m_last[character]; }
    // 0 for the character that appears first, 1 for the next, ...: by first step, then by
    // the group's place in the step and the member's in the group; -1 for one never grouped.
    int appearance(int character) const { return m_appearance[character]; }
    bool isDrawn(int character, int step) const
    {
        return step >= m_first[character] && step <= m_last[character];
    }
    // The unit of the character at the step: its group's number in the step, or
    // groupCount(step) + the character for a character that stands alone; -1 where its line
    // is not drawn.
    int unitOf(int character, int step) const { return m_unitOf[cell(character, step)]; }
    // Whether the character shares a group with others at the step.
    bool isGrouped(int character, int step) const
    {
        const int unit = m_unitOf[cell(character, step)];
        return unit >= 0 && unit < groupCount(step);
    }
    int groupCount(int step) const { return static_cast<int>(m_groups[step].size()); }
    const StorylineSteps::Group &group(int step, int number) const
    {
        return m_groups[step][number];
    }
    // The characters whose lines are drawn at the step, in no particular order.
    const std::vector<int> &drawn(int step) const { return m_drawn[step]; }

private:
    size_t cell(int character, int step) const
    {
        return static_cast<size_t>(step) * m_characters + character;
    }

    int m_characters = 0;
    int m_steps = 0;
    std::vector<int> m_first;
    std::vector<int> m_last;
    std::vector<int> m_appearance;
    std::vector<StorylineSteps::Step> m_groups; // groups of two or more members, step by step
    std::vector<int> m_unitOf;                  // [step * characters + character]
    std::vector<std::vector<int>> m_drawn;
};
