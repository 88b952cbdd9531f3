#include "storyline/StorylineSlots.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Forward and backward sweeps over the steps; the slot choices settle within a few.
constexpr int sweeps = 3;
// A line that keeps its slot outweighs any total of distances moved.
constexpr long long keptWeight = 1LL << 24;

struct Unit
{
    int first = 0; // index of its first member in the step's order
    int size = 0;
};

std::vector<Unit> unitsOf(const StorylineFrame &frame, const std::vector<int> &order, int step)
{
    std::vector<Unit> units;
    int previousUnit = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const int unit = frame.unitOf(order[i], step);
        if (units.empty() || unit != previousUnit)
            units.push_back({i, 0});
        ++units.back().size;
        previousUnit = unit;
    }
    return units;
}

int heightOf(const std::vector<Unit> &units)
{
    int height = 0;
    for (const Unit &unit : units)
        height += unit.size;
    return units.empty() ? 0 : height + static_cast<int>(units.size()) - 1;
}

class SlotPlacer
{
public:
    SlotPlacer(const StorylineFrame &frame, const StorylineOrder &order)
        : placed(frame.characterCount(), std::vector<int>(frame.stepCount(), -1))
        , m_frame(frame)
        , m_order(order)
    {
        for (int s = 0; s < frame.stepCount(); ++s) {
            m_units.push_back(unitsOf(frame, order.at(s), s));
            m_height = std::max(m_height, heightOf(m_units.back()));
        }
        for (int s = 0; s < frame.stepCount(); ++s)
            placeTight(s);
    }

    void sweep(bool forward)
    {
        const int n = m_frame.stepCount();
        for (int i = 0; i < n; ++i)
            place(forward ? i : n - 1 - i);
    }

    std::vector<std::vector<int>> placed;

private:
    void placeTight(int step)
    {
        int top = 0;
        for (const Unit &unit : m_units[step]) {
            setUnit(step, unit, top);
            top += unit.size + 1;
        }
    }

    void setUnit(int step, const Unit &unit, int top)
    {
        const std::vector<int> &order = m_order.at(step);
        for (int i = 0; i < unit.size; ++i)
            placed[order[unit.first + i]][step] = top + i;
    }

    // What putting the unit's top at `top` is worth against the neighbouring steps.
    long long worth(int step, const Unit &unit, int top) const
    {
        const std::vector<int> &order = m_order.at(step);
        long long value = 0;
        for (int i = 0; i < unit.size; ++i) {
            const std::vector<int> &line = placed[order[unit.first + i]];
            for (const int r : {step - 1, step + 1}) {
                if (r < 0 || r >= m_frame.stepCount() || line[r] < 0)
                    continue;
                const int distance = std::abs(line[r] - (top + i));
                value += distance == 0 ? keptWeight : -distance;
            }
        }
        return value;
    }

    // The tops of the step's units that are worth most, by dynamic programming over the units
    // in order: best[k][y] is the most units 0..k are worth with unit k's top at or above y.
    void place(int step)
    {
        const std::vector<Unit> &units = m_units[step];
        const int m = static_cast<int>(units.size());
        if (m == 0)
            return;
        const int slack = m_height - heightOf(units);
        std::vector<std::vector<long long>> best(m, std::vector<long long>(slack + 1));
        std::vector<std::vector<int>> bestTop(m, std::vector<int>(slack + 1));
        int lowest = 0; // the top of unit k when every unit above stands tight
        for (int k = 0; k < m; ++k) {
            for (int extra = 0; extra <= slack; ++extra) {
                const int top = lowest + extra;
                const long long here =
                    worth(step, units[k], top) + (k > 0 ? best[k - 1][extra] : 0);
                if (extra == 0 || here > best[k][extra - 1]) {
                    best[k][extra] = here;
                    bestTop[k][extra] = extra;
                } else {
                    best[k][extra] = best[k][extra - 1];
                    bestTop[k][extra] = bestTop[k][extra - 1];
                }
            }
            lowest += units[k].size + 1;
        }
        // Back from the last unit: each unit's extra bounds the one above it.
        int extra = slack;
        std::vector<int> tops(m);
        lowest -= units[m - 1].size + 1;
        for (int k = m - 1; k >= 0; --k) {
            extra = bestTop[k][extra];
            tops[k] = lowest + extra;
            if (k > 0)
                lowest -= units[k - 1].size + 1;
        }
        for (int k = 0; k < m; ++k)
            setUnit(step, units[k], tops[k]);
    }

    const StorylineFrame &m_frame;
    const StorylineOrder &m_order;
    std::vector<std::vector<Unit>> m_units;
    int m_height = 0;
};

} // namespace

std::vector<std::vector<int>> assignSlots(const StorylineFrame &frame, const StorylineOrder &order)
{
    SlotPlacer placer(frame, order);
    for (int i = 0; i < sweeps; ++i) {
        placer.sweep(true);
        placer.sweep(false);
    }
    return std::move(placer.placed);
}

int countWiggles(const std::vector<std::vector<int>> &lineSlots)
{
    int wiggles = 0;
    for (const std::vector<int> &line : lineSlots) {
        for (size_t s = 0; s + 1 < line.size(); ++s) {
            if (line[s] >= 0 && line[s + 1] >= 0 && line[s] != line[s + 1])
                ++wiggles;
        }
    }
    return wiggles;
}
