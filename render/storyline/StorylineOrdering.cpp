#include "storyline/StorylineOrdering.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"
#include "storyline/StorylineReroute.h"
#include "storyline/StorylineSifting.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace {

// Beyond this many lines at one step, a rerouted line only tries places near its own:
// trying every place costs the square of the lines at every step of its length.
constexpr int fullSearchLines = 48;
constexpr int searchWindow = 16;

// A step's units (whose members `order` need not keep together) in the order of a key per unit,
// members in the order of a key per member; equal keys keep the order of the units in `order` (a
// stable sort).
std::vector<int> orderedByKeys(const StorylineFrame &frame, const std::vector<int> &order, int step,
                               const std::vector<double> &memberKey, bool unitKeyIsMean)
{
    struct Unit
    {
        std::vector<int> members;
        double key = 0.0;
    };
    // Gathered by unit, in the order of their first member in `order`.
    std::vector<Unit> units;
    std::unordered_map<int, size_t> unitIndex;
    for (const int character : order) {
        const auto inserted = unitIndex.emplace(frame.unitOf(character, step), units.size());
        if (inserted.second)
            units.emplace_back();
        units[inserted.first->second].members.push_back(character);
    }
    double lastKey = -1.0;
    for (Unit &unit : units) {
        double sum = 0.0;
        double minimum = HUGE_VAL;
        int known = 0;
        for (const int member : unit.members) {
            const double key = memberKey[member];
            if (std::isnan(key))
                continue;
            sum += key;
            minimum = std::min(minimum, key);
            ++known;
        }
        // A unit nothing is known of stays just after the unit above it.
        unit.key = known == 0 ? lastKey + 1e-6 : (unitKeyIsMean ? sum / known : minimum);
        lastKey = unit.key;
        std::stable_sort(unit.members.begin(), unit.members.end(), [&](int a, int b) {
            const double ka = std::isnan(memberKey[a]) ? HUGE_VAL : memberKey[a];
            const double kb = std::isnan(memberKey[b]) ? HUGE_VAL : memberKey[b];
            return ka < kb;
        });
    }
    std::stable_sort(units.begin(), units.end(),
                     [](const Unit &a, const Unit &b) { return a.key < b.key; });
    std::vector<int> result;
    result.reserve(order.size());
    for (const Unit &unit : units)
        result.insert(result.end(), unit.members.begin(), unit.members.end());
    return result;
}

int mostLinesAtOneStep(const StorylineFrame &frame)
{
    size_t most = 0;
    for (int s = 0; s < frame.stepCount(); ++s)
        most = std::max(most, frame.drawn(s).size());
    return static_cast<int>(most);
}

} // namespace

StorylineOrder rankedOrder(const StorylineFrame &frame, const std::vector<int> &rank)
{
    const std::vector<double> key(rank.begin(), rank.end());
    StorylineOrder order(frame);
    for (int s = 0; s < frame.stepCount(); ++s) {
        std::vector<int> drawn = frame.drawn(s);
        std::sort(drawn.begin(), drawn.end(), [&](int a, int b) { return rank[a] < rank[b]; });
        order.set(s, orderedByKeys(frame, drawn, s, key, false));
    }
    return order;
}

StorylineOrder firstAppearanceOrder(const StorylineFrame &frame)
{
    std::vector<int> appearance(frame.characterCount());
    for (int c = 0; c < frame.characterCount(); ++c)
        appearance[c] = frame.appearance(c);
    return rankedOrder(frame, appearance);
}

void sweepOrder(const StorylineFrame &frame, StorylineOrder &order, bool forward)
{
    const int n = frame.stepCount();
    std::vector<double> key(frame.characterCount());
    for (int i = 1; i < n; ++i) {
        const int s = forward ? i : n - 1 - i;
        const int before = forward ? s - 1 : s + 1;
        for (const int character : order.at(s)) {
            const int position = order.position(character, before);
            key[character] = position >= 0 ? position : std::nan("");
        }
        order.set(s, orderedByKeys(frame, order.at(s), s, key, true));
        siftStep(frame, order, s,
                 forward ? StorylineNeighbours::Previous : StorylineNeighbours::Next);
    }
}

namespace {

// Whether the members stand together at the step, all in one group or all alone.
bool movesAsOne(const StorylineFrame &frame, const StorylineOrder &order,
                const std::vector<int> &members, int step)
{
    int low = frame.characterCount();
    int high = -1;
    const bool grouped = frame.isGrouped(members[0], step);
    for (const int member : members) {
        const int position = order.position(member, step);
        if (position < 0 || frame.isGrouped(member, step) != grouped ||
            (grouped && frame.unitOf(member, step) != frame.unitOf(members[0], step)))
            return false;
        low = std::min(low, position);
        high = std::max(high, position);
    }
    return high - low + 1 == static_cast<int>(members.size());
}

// Whether the members are exactly one group of the step.
bool isGroup(const StorylineFrame &frame, const std::vector<int> &members, int step)
{
    if (!frame.isDrawn(members[0], step) || !frame.isGrouped(members[0], step))
        return false;
    const std::vector<int> &group = frame.group(step, frame.unitOf(members[0], step));
    return group.size() == members.size() &&
           std::is_permutation(group.begin(), group.end(), members.begin());
}

// What the local moves looked at last, as the order's stamp then: a move is tried again only
// once a step it depends on has changed.
struct Checked
{
    explicit Checked(const StorylineFrame &frame)
        : lines(frame.characterCount(), -1)
        , steps(frame.stepCount(), -1)
        , groups(frame.stepCount())
    {
        for (int s = 0; s < frame.stepCount(); ++s)
            groups[s].assign(frame.groupCount(s), -1);
    }

    std::vector<long long> lines;
    std::vector<long long> steps;
    std::vector<std::vector<long long>> groups;
};

bool rerouteLines(const StorylineFrame &frame, StorylineOrder &order, StorylineRerouter &rerouter,
                  Checked &checked)
{
    bool moved = false;
    for (int c = 0; c < frame.characterCount(); ++c) {
        if (order.lastChangeIn(frame.firstStep(c), frame.lastStep(c)) <= checked.lines[c])
            continue;
        moved = rerouter.rerouteLine(order, c) || moved;
        checked.lines[c] = order.stamp();
    }
    return moved;
}

// Every group of a step, moved with the stretch of steps around it over which its members
// stand together: a group that meets over several steps crosses another line once, not at
// each step. True when any moved.
bool rerouteGroups(const StorylineFrame &frame, StorylineOrder &order, StorylineRerouter &rerouter,
                   Checked &checked)
{
    bool moved = false;
    for (int s = 0; s < frame.stepCount(); ++s) {
        for (int g = 0; g < frame.groupCount(s); ++g) {
            const std::vector<int> &members = frame.group(s, g);
            if (!movesAsOne(frame, order, members, s))
                continue;
            // The stretch was tried from an earlier step where they were this group too.
            if (s > 0 && isGroup(frame, members, s - 1) && movesAsOne(frame, order, members, s - 1))
                continue;
            int first = s;
            while (first > 0 && movesAsOne(frame, order, members, first - 1))
                --first;
            int last = s;
            while (last + 1 < frame.stepCount() && movesAsOne(frame, order, members, last + 1))
                ++last;
            if (order.lastChangeIn(first - 1, last + 1) <= checked.groups[s][g])
                continue;
            moved = rerouter.rerouteBundle(order, members, first, last) || moved;
            checked.groups[s][g] = order.stamp();
        }
    }
    return moved;
}

bool siftSteps(const StorylineFrame &frame, StorylineOrder &order, Checked &checked)
{
    bool moved = false;
    for (int s = 0; s < frame.stepCount(); ++s) {
        if (order.lastChangeIn(s - 1, s + 1) <= checked.steps[s])
            continue;
        moved = siftStep(frame, order, s, StorylineNeighbours::Both) || moved;
        checked.steps[s] = order.stamp();
    }
    return moved;
}

} // namespace

bool improveOrder(const StorylineFrame &frame, StorylineOrder &order, int rounds,
                  const std::function<bool()> &canceled)
{
    StorylineRerouter rerouter(frame,
                               mostLinesAtOneStep(frame) > fullSearchLines ? searchWindow : 0);
    Checked checked(frame);
    bool changed = false;
    for (int round = 0; round < rounds; ++round) {
        if (canceled && canceled())
            break;
        bool moved = rerouteLines(frame, order, rerouter, checked);
        moved = rerouteGroups(frame, order, rerouter, checked) || moved;
        moved = siftSteps(frame, order, checked) || moved;
        if (!moved)
            break;
        changed = true;
    }
    return changed;
}
