#include "storyline/StorylineSifting.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// More passes than sifting a step's units needs to settle in practice; the bound only
// guards against a cycle of equal costs, which strict improvement already rules out.
constexpr int maximumPasses = 8;

// The costs of one member standing above another, counted at the neighbouring steps.
class PairCost
{
public:
    PairCost(const StorylineOrder &order, int step, StorylineNeighbours neighbours)
        : m_order(order)
    {
        const bool previous = neighbours != StorylineNeighbours::Next && step > 0;
        const bool next =
            neighbours != StorylineNeighbours::Previous && step + 1 < order.stepCount();
        if (previous)
            m_steps.push_back(step - 1);
        if (next)
            m_steps.push_back(step + 1);
    }

    // The crossings a standing above b makes with the neighbouring steps.
    int above(int a, int b) const
    {
        int cost = 0;
        for (const int r : m_steps) {
            const int pa = m_order.position(a, r);
            const int pb = m_order.position(b, r);
            cost += (pa >= 0 && pb >= 0 && pb < pa) ? 1 : 0;
        }
        return cost;
    }

private:
    const StorylineOrder &m_order;
    std::vector<int> m_steps;
};

std::vector<std::vector<int>> unitsInOrder(const StorylineFrame &frame,
                                           const std::vector<int> &order, int step)
{
    std::vector<std::vector<int>> units;
    int previousUnit = -1;
    for (const int character : order) {
        const int unit = frame.unitOf(character, step);
        if (units.empty() || unit != previousUnit)
            units.emplace_back();
        units.back().push_back(character);
        previousUnit = unit;
    }
    return units;
}

// Moves one item of the sequence at a time to the place where it costs least, until no move
// lowers the cost. `above(a, b)` is the cost of item a standing anywhere above item b. An item
// stays where it is unless a move is strictly cheaper. True when the sequence changed.
template<typename Cost> bool siftSequence(std::vector<int> &items, const Cost &above)
{
    const int m = static_cast<int>(items.size());
    if (m < 2)
        return false;
    bool changed = false;
    std::vector<int> rest;
    for (int pass = 0; pass < maximumPasses; ++pass) {
        bool moved = false;
        const std::vector<int> visiting = items;
        for (const int item : visiting) {
            const int from =
                static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin());
            rest.assign(items.begin(), items.end());
            rest.erase(rest.begin() + from);
            long long cost = 0;
            for (const int other : rest)
                cost += above(item, other);
            long long best = -1;
            int bestPlace = from;
            long long current = 0;
            for (int place = 0; place < m; ++place) {
                if (place == from)
                    current = cost;
                if (best < 0 || cost < best) {
                    best = cost;
                    bestPlace = place;
                }
                if (place + 1 < m)
                    cost += above(rest[place], item) - above(item, rest[place]);
            }
            if (bestPlace == from || best >= current)
                continue;
            rest.insert(rest.begin() + bestPlace, item);
            items = std::move(rest);
            rest.clear();
            moved = true;
        }
        if (!moved)
            break;
        changed = true;
    }
    return changed;
}

} // namespace

bool siftStep(const StorylineFrame &frame, StorylineOrder &order, int step,
              StorylineNeighbours neighbours)
{
    const PairCost pairs(order, step, neighbours);
    std::vector<std::vector<int>> units = unitsInOrder(frame, order.at(step), step);
    const int m = static_cast<int>(units.size());
    // Unit costs, summed once over the member pairs.
    std::vector<long long> unitAbove(static_cast<size_t>(m) * m, 0);
    for (int u = 0; u < m; ++u) {
        for (int v = 0; v < m; ++v) {
            if (u == v)
                continue;
            long long cost = 0;
            for (const int a : units[u]) {
                for (const int b : units[v])
                    cost += pairs.above(a, b);
            }
            unitAbove[static_cast<size_t>(u) * m + v] = cost;
        }
    }
    std::vector<int> unitOrder(m);
    for (int u = 0; u < m; ++u)
        unitOrder[u] = u;
    bool changed = siftSequence(
        unitOrder, [&](int u, int v) { return unitAbove[static_cast<size_t>(u) * m + v]; });
    std::vector<int> result;
    result.reserve(order.at(step).size());
    for (const int u : unitOrder) {
        std::vector<int> &members = units[u];
        changed = siftSequence(members, [&](int a, int b) { return pairs.above(a, b); }) || changed;
        result.insert(result.end(), members.begin(), members.end());
    }
    if (changed)
        order.set(step, std::move(result));
    return changed;
}
