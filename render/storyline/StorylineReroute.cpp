#include "storyline/StorylineReroute.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"

#include <algorithm>
#include <limits>

namespace {

// The order of one step with the bundle taken out, and the places (indices of that shorter
// order) where it may go back in.
class StepWithout
{
public:
    StepWithout(const StorylineOrder &order, int step, int blockStart, int blockSize)
        : m_order(order)
        , m_full(order.at(step))
        , m_step(step)
        , m_present(blockStart)
        , m_blockSize(blockSize)
    {
    }

    // The places from `low` to `high` (inclusive, in the shorter order), all of them or only
    // those between two units.
    void allowPlaces(const StorylineFrame &frame, int low, int high, bool betweenUnitsOnly)
    {
        const int n = size();
        for (int p = low; p <= high; ++p) {
            if (!betweenUnitsOnly || p == 0 || p == n ||
                frame.unitOf(other(p - 1), m_step) != frame.unitOf(other(p), m_step))
                places.push_back(p);
        }
    }

    int size() const { return static_cast<int>(m_full.size()) - m_blockSize; }
    int present() const { return m_present; }
    int other(int index) const { return m_full[index < m_present ? index : index + m_blockSize]; }
    // The index of a character outside the bundle in the shorter order; -1 where it is not
    // drawn.
    int indexOf(int character) const
    {
        const int position = m_order.position(character, m_step);
        return position < 0 ? -1 : position - (position > m_present ? m_blockSize : 0);
    }
    std::vector<int> withBundleAt(int place) const
    {
        std::vector<int> result;
        result.reserve(m_full.size());
        const auto block = m_full.begin() + m_present;
        for (int i = 0; i <= size(); ++i) {
            if (i == place)
                result.insert(result.end(), block, block + m_blockSize);
            if (i < size())
                result.push_back(other(i));
        }
        return result;
    }

    std::vector<int> places;

private:
    const StorylineOrder &m_order;
    const std::vector<int> &m_full;
    int m_step;
    int m_present;
    int m_blockSize;
};

// The index of the first member of the bundle at the step, or -1 when its members do not
// stand together there in any order.
int blockStart(const StorylineOrder &order, const std::vector<int> &members, int step)
{
    int low = std::numeric_limits<int>::max();
    int high = -1;
    for (const int member : members) {
        const int position = order.position(member, step);
        if (position < 0)
            return -1;
        low = std::min(low, position);
        high = std::max(high, position);
    }
    return high - low + 1 == static_cast<int>(members.size()) ? low : -1;
}

// The step seen without the bundle, with its places; false when the bundle cannot move as
// one there (its members are split among units).
bool prepareStep(const StorylineFrame &frame, const StorylineOrder &order,
                 const std::vector<int> &members, int step, int window,
                 std::vector<StepWithout> &steps)
{
    const int start = blockStart(order, members, step);
    if (start < 0)
        return false;
    const int size = static_cast<int>(members.size());
    const int unit = frame.unitOf(members[0], step);
    const bool grouped = frame.isGrouped(members[0], step);
    for (const int member : members) {
        if (frame.isGrouped(member, step) != grouped ||
            (grouped && frame.unitOf(member, step) != unit))
            return false;
    }
    steps.emplace_back(order, step, start, size);
    StepWithout &without = steps.back();
    const int n = without.size();
    int low = 0;
    int high = n;
    // Among the group's other members, if it has others.
    bool betweenUnits = true;
    if (grouped && static_cast<int>(frame.group(step, unit).size()) > size) {
        const std::vector<int> &full = order.at(step);
        low = start;
        while (low > 0 && frame.unitOf(full[low - 1], step) == unit)
            --low;
        high = start;
        while (high + size < static_cast<int>(full.size()) &&
               frame.unitOf(full[high + size], step) == unit)
            ++high;
        betweenUnits = false;
    }
    if (window > 0) {
        low = std::max(low, start - window);
        high = std::min(high, start + window);
    }
    without.allowPlaces(frame, low, high, betweenUnits);
    return true;
}

// The crossings of the bundle at each place of one step with the lines it passes on the
// other side at each place of the next step (lines common to both). Counted by moving the
// place one line at a time from a single full count, so a transition costs the lines plus
// the places squared.
std::vector<long long> crossingTable(const StepWithout &from, const StepWithout &to)
{
    const int p0 = from.places.front();
    const int pLast = from.places.back();
    const int q0 = to.places.front();
    const int qLast = to.places.back();
    int base = 0;
    for (int i = 0; i < from.size(); ++i) {
        const int b = to.indexOf(from.other(i));
        if (b >= 0 && (i < p0) != (b < q0))
            ++base;
    }
    std::vector<int> column(static_cast<size_t>(qLast - q0 + 1));
    column[0] = base;
    for (int q = q0; q < qLast; ++q) {
        const int a = from.indexOf(to.other(q));
        column[q - q0 + 1] = column[q - q0] + (a < 0 ? 0 : (a < p0 ? -1 : 1));
    }
    const size_t width = from.places.size();
    std::vector<long long> table(width * to.places.size());
    for (size_t j = 0; j < to.places.size(); ++j) {
        const int q = to.places[j];
        int cost = column[q - q0];
        size_t k = 0;
        for (int p = p0; p <= pLast; ++p) {
            if (k < width && from.places[k] == p)
                table[j * width + k++] = cost;
            if (p < pLast) {
                const int b = to.indexOf(from.other(p));
                cost += b < 0 ? 0 : (b < q ? -1 : 1);
            }
        }
    }
    return table;
}

// The crossings of the members, where they stand at the neighbouring step `outside`, with the
// lines they pass on the other side when the bundle takes each place of `step`.
std::vector<long long> edgeCrossings(const StorylineOrder &order, const std::vector<int> &members,
                                     int outside, const StepWithout &step)
{
    std::vector<long long> costs(step.places.size(), 0);
    const std::vector<int> &neighbour = order.at(outside);
    const int p0 = step.places.front();
    for (const int member : members) {
        const int at = order.position(member, outside);
        if (at < 0)
            continue;
        int cost = 0;
        for (int i = 0; i < static_cast<int>(neighbour.size()); ++i) {
            const int index = step.indexOf(neighbour[i]);
            if (i != at && index >= 0 &&
                std::find(members.begin(), members.end(), neighbour[i]) == members.end() &&
                (i < at) != (index < p0))
                ++cost;
        }
        size_t k = 0;
        for (int p = p0; p <= step.places.back(); ++p) {
            if (k < costs.size() && step.places[k] == p)
                costs[k++] += cost;
            if (p < step.places.back()) {
                const int y = step.other(p);
                const int yAt = order.position(y, outside);
                if (yAt >= 0)
                    cost += yAt < at ? -1 : 1;
            }
        }
    }
    return costs;
}

// The index of the cheapest entry; on a tie the one at the present place, else the first.
size_t cheapest(const std::vector<long long> &costs, const StepWithout &step)
{
    size_t best = 0;
    for (size_t k = 1; k < costs.size(); ++k) {
        if (costs[k] < costs[best] || (costs[k] == costs[best] && step.places[k] == step.present()))
            best = k;
    }
    return best;
}

} // namespace

bool rerouteBundle(const StorylineFrame &frame, StorylineOrder &order,
                   const std::vector<int> &members, int first, int last, int window)
{
    if (members.empty() || first < 0 || last < first)
        return false;
    const int length = last - first + 1;
    std::vector<StepWithout> steps;
    steps.reserve(length);
    for (int s = first; s <= last; ++s) {
        if (!prepareStep(frame, order, members, s, window, steps))
            return false;
    }
    const long long size = static_cast<long long>(members.size());
    // A crossing outweighs moving at every step, so the bundle only moves to lose crossings.
    const long long crossingWeight = length + 1;

    std::vector<long long> costs(steps[0].places.size(), 0);
    if (first > 0)
        costs = edgeCrossings(order, members, first - 1, steps[0]);
    for (size_t k = 0; k < costs.size(); ++k)
        costs[k] = costs[k] * crossingWeight + (steps[0].places[k] != steps[0].present() ? 1 : 0);
    std::vector<std::vector<int>> cameFrom(length);
    for (int i = 1; i < length; ++i) {
        const StepWithout &from = steps[i - 1];
        const StepWithout &to = steps[i];
        const std::vector<long long> table = crossingTable(from, to);
        const size_t width = from.places.size();
        std::vector<long long> next(to.places.size(), std::numeric_limits<long long>::max());
        cameFrom[i].assign(to.places.size(), 0);
        for (size_t j = 0; j < to.places.size(); ++j) {
            for (size_t k = 0; k < width; ++k) {
                const long long cost = costs[k] + table[j * width + k] * size * crossingWeight;
                if (cost < next[j] || (cost == next[j] && from.places[k] == from.present())) {
                    next[j] = cost;
                    cameFrom[i][j] = static_cast<int>(k);
                }
            }
            next[j] += to.places[j] != to.present() ? 1 : 0;
        }
        costs = std::move(next);
    }
    if (last + 1 < frame.stepCount()) {
        const std::vector<long long> after = edgeCrossings(order, members, last + 1, steps.back());
        for (size_t k = 0; k < costs.size(); ++k)
            costs[k] += after[k] * crossingWeight;
    }

    std::vector<int> chosen(length);
    size_t k = cheapest(costs, steps[length - 1]);
    for (int i = length - 1; i >= 0; --i) {
        chosen[i] = steps[i].places[k];
        if (i > 0)
            k = static_cast<size_t>(cameFrom[i][k]);
    }
    std::vector<std::vector<int>> orders(length);
    bool moved = false;
    for (int i = 0; i < length; ++i) {
        if (chosen[i] != steps[i].present()) {
            orders[i] = steps[i].withBundleAt(chosen[i]);
            moved = true;
        }
    }
    // The steps refer to the order, so it changes only once the search is over.
    for (int i = 0; i < length; ++i) {
        if (chosen[i] != steps[i].present())
            order.set(first + i, std::move(orders[i]));
    }
    return moved;
}

bool rerouteLine(const StorylineFrame &frame, StorylineOrder &order, int character, int window)
{
    return rerouteBundle(frame, order, {character}, frame.firstStep(character),
                         frame.lastStep(character), window);
}
