#include "storyline/StorylineOrder.h"

#include "storyline/StorylineFrame.h"

#include <algorithm>
#include <utility>

namespace {

// Inversions of a sequence of distinct values below `bound`, with a Fenwick tree: linear
// times logarithmic, for the two hundred lines of a large storyline.
long long inversions(const std::vector<int> &values, int bound)
{
    std::vector<int> tree(static_cast<size_t>(bound) + 1, 0);
    long long count = 0;
    int seen = 0;
    for (const int value : values) {
        int notGreater = 0;
        for (int i = value + 1; i > 0; i -= i & -i)
            notGreater += tree[i];
        count += seen - notGreater;
        for (int i = value + 1; i <= bound; i += i & -i)
            ++tree[i];
        ++seen;
    }
    return count;
}

} // namespace

StorylineOrder::StorylineOrder(const StorylineFrame &frame)
    : m_characters(frame.characterCount())
    , m_orders(frame.stepCount())
    , m_positions(static_cast<size_t>(frame.stepCount()) * frame.characterCount(), -1)
    , m_changedAt(frame.stepCount(), 0)
{
}

long long StorylineOrder::lastChangeIn(int first, int last) const
{
    long long latest = 0;
    for (int s = std::max(first, 0); s <= last && s < stepCount(); ++s)
        latest = std::max(latest, m_changedAt[s]);
    return latest;
}

void StorylineOrder::set(int step, std::vector<int> order)
{
    int *const positions = m_positions.data() + static_cast<size_t>(step) * m_characters;
    for (const int character : m_orders[step])
        positions[character] = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        positions[order[i]] = i;
    m_orders[step] = std::move(order);
    m_changedAt[step] = ++m_stamp;
}

int StorylineOrder::crossingsAfter(int step) const
{
    const std::vector<int> &next = m_orders[step + 1];
    std::vector<int> placesInNext;
    placesInNext.reserve(m_orders[step].size());
    for (const int character : m_orders[step]) {
        const int place = position(character, step + 1);
        if (place >= 0)
            placesInNext.push_back(place);
    }
    return static_cast<int>(inversions(placesInNext, static_cast<int>(next.size())));
}

int StorylineOrder::crossings() const
{
    int total = 0;
    for (int s = 0; s + 1 < stepCount(); ++s)
        total += crossingsAfter(s);
    return total;
}
