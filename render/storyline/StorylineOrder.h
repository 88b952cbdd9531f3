#pragma once

#include <cstddef>
#include <vector>

class StorylineFrame;

// The top-to-bottom order of the drawn characters at every step, with each character's
// position in it looked up in constant time.
class StorylineOrder
{
public:
    explicit StorylineOrder(const StorylineFrame &frame);

    int stepCount() const { return static_cast<int>(m_orders.size()); }
    const std::vector<int> &at(int step) const { return m_orders[step]; }
    // The character's index in the order of the step; -1 where it is not in it.
    int position(int character, int step) const
    {
        return m_positions[static_cast<size_t>(step) * m_characters + character];
    }
    void set(int step, std::vector<int> order);

    // A count of the changes made so far, and the count at the latest change of a step
    // (0 before any): a search that looked at some steps at stamp() need not look again
    // while none of them has changed since.
    long long stamp() const { return m_stamp; }
    // The latest change among steps first..last (clamped to the steps there are).
    long long lastChangeIn(int first, int last) const;

    // The crossings between the step and the next: pairs of characters in both orders that
    // stand the other way round in the second.
    int crossingsAfter(int step) const;
    int crossings() const;

private:
    int m_characters = 0;
    std::vector<std::vector<int>> m_orders;
    std::vector<int> m_positions; // [step * characters + character]
    std::vector<long long> m_changedAt;
    long long m_stamp = 0;
};
