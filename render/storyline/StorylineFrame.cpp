#include "storyline/StorylineFrame.h"

StorylineFrame::StorylineFrame(const StorylineSteps &steps)
    : m_characters(steps.characterCount)
    , m_steps(static_cast<int>(steps.steps.size()))
    , m_first(m_characters, -1)
    , m_last(m_characters, -1)
    , m_appearance(m_characters, -1)
    , m_groups(m_steps)
    , m_unitOf(static_cast<size_t>(m_steps) * m_characters, -1)
    , m_drawn(m_steps)
{
    int appeared = 0;
    for (int s = 0; s < m_steps; ++s) {
        for (const StorylineSteps::Group &group : steps.steps[s]) {
            for (const int member : group) {
                if (m_first[member] < 0) {
                    m_first[member] = s;
                    m_appearance[member] = appeared++;
                }
                m_last[member] = s;
            }
            // A group of one is drawn like a character alone: nobody has to stay beside it.
            if (group.size() < 2)
                continue;
            const int number = static_cast<int>(m_groups[s].size());
            for (const int member : group)
                m_unitOf[cell(member, s)] = number;
            m_groups[s].push_back(group);
        }
    }
    for (int c = 0; c < m_characters; ++c) {
        for (int s = m_first[c]; s >= 0 && s <= m_last[c]; ++s) {
            m_drawn[s].push_back(c);
            if (m_unitOf[cell(c, s)] < 0)
                m_unitOf[cell(c, s)] = groupCount(s) + c;
        }
    }
}
