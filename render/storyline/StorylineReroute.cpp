#include "storyline/StorylineReroute.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"

#include <algorithm>
#include <limits>

namespace {

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

// The step's order with the bundle (blockSize members from `present` on) taken out.
struct Without
{
    const std::vector<int> &full;
    const StorylineOrder &order;
    int step;
    int present;
    int blockSize;

    int size() const { return static_cast<int>(full.size()) - blockSize; }
    int other(int index) const { return full[index < present ? index : index + blockSize]; }
    // The index of a character outside the bundle in the shorter order; -1 where it is not
    // drawn.
    int indexOf(int character) const
    {
        const int position = order.position(character, step);
        return position < 0 ? -1 : position - (position > present ? blockSize : 0);
    }
};

} // namespace

StorylineRerouter::StorylineRerouter(const StorylineFrame &frame, int window)
    : m_frame(frame)
    , m_window(window)
{
}

bool StorylineRerouter::rerouteLine(StorylineOrder &order, int character)
{
    m_lineMembers.assign(1, character);
    return rerouteBundle(order, m_lineMembers, m_frame.firstStep(character),
                         m_frame.lastStep(character));
}

// The step seen without the bundle, with its places; false when the bundle cannot move as
// one there (its members are split among units).
bool StorylineRerouter::prepareStep(const StorylineOrder &order, const std::vector<int> &members,
                                    int step)
{
    const int start = blockStart(order, members, step);
    if (start < 0)
        return false;
    const int size = m_blockSize;
    const int unit = m_frame.unitOf(members[0], step);
    const bool grouped = m_frame.isGrouped(members[0], step);
    for (const int member : members) {
        if (m_frame.isGrouped(member, step) != grouped ||
            (grouped && m_frame.unitOf(member, step) != unit))
            return false;
    }
    const std::vector<int> &full = order.at(step);
    const Without without{full, order, step, start, size};
    const int n = without.size();
    int low = 0;
    int high = n;
    // Among the group's other members, if it has others; else between units.
    bool betweenUnits = true;
    if (grouped && static_cast<int>(m_frame.group(step, unit).size()) > size) {
        low = start;
        while (low > 0 && m_frame.unitOf(full[low - 1], step) == unit)
            --low;
        high = start;
        while (high + size < static_cast<int>(full.size()) &&
               m_frame.unitOf(full[high + size], step) == unit)
            ++high;
        betweenUnits = false;
    }
    if (m_window > 0) {
        low = std::max(low, start - m_window);
        high = std::min(high, start + m_window);
    }
    Step prepared;
    prepared.step = step;
    prepared.present = start;
    prepared.placesBegin = static_cast<int>(m_places.size());
    for (int p = low; p <= high; ++p) {
        if (!betweenUnits || p == 0 || p == n ||
            m_frame.unitOf(without.other(p - 1), step) != m_frame.unitOf(without.other(p), step))
            m_places.push_back(p);
    }
    prepared.placesEnd = static_cast<int>(m_places.size());
    m_steps.push_back(prepared);
    return true;
}

// From the costs of reaching each place of `from` (m_costs), the costs of reaching each place
// of `to` (m_next): crossings with the lines common to both steps, each `weight`, and one for
// leaving the present place; m_cameFrom says where each came from. As the place at `to` moves
// past one line, the crossings with it change by one for every place at `from`: up for those
// at or above where the line stood, down below. A segment tree keeps the least sum under
// those changes, so a step costs its lines plus its places times their logarithm rather than
// the places squared.
void StorylineRerouter::crossOver(const StorylineOrder &order, const Step &fromStep,
                                  const Step &toStep, long long weight)
{
    const Without from{order.at(fromStep.step), order, fromStep.step, fromStep.present,
                       m_blockSize};
    const Without to{order.at(toStep.step), order, toStep.step, toStep.present, m_blockSize};
    const int *const fromPlaces = m_places.data() + fromStep.placesBegin;
    const int fromCount = fromStep.placesEnd - fromStep.placesBegin;
    const int p0 = fromPlaces[0];
    const int pLast = fromPlaces[fromCount - 1];
    const int q0 = m_places[toStep.placesBegin];
    const int qLast = m_places[toStep.placesEnd - 1];
    // Crossings of the first place at `from` with the first at `to`, then of each place.
    int crossings = 0;
    for (int i = 0; i < from.size(); ++i) {
        const int b = to.indexOf(from.other(i));
        if (b >= 0 && (i < p0) != (b < q0))
            ++crossings;
    }
    m_treeSize = 1;
    while (m_treeSize < fromCount)
        m_treeSize *= 2;
    const long long none = std::numeric_limits<long long>::max() / 4;
    m_least.assign(2 * static_cast<size_t>(m_treeSize), none);
    m_leastAt.assign(2 * static_cast<size_t>(m_treeSize), 0);
    m_pending.assign(2 * static_cast<size_t>(m_treeSize), 0);
    int k = 0;
    for (int p = p0; p <= pLast; ++p) {
        if (k < fromCount && fromPlaces[k] == p) {
            m_least[m_treeSize + k] = m_costs[k] + crossings * weight;
            m_leastAt[m_treeSize + k] = k;
            ++k;
        }
        if (p < pLast) {
            const int b = to.indexOf(from.other(p));
            crossings += b < 0 ? 0 : (b < q0 ? -1 : 1);
        }
    }
    for (int node = m_treeSize - 1; node >= 1; --node)
        pull(node);

    m_next.resize(static_cast<size_t>(toStep.placesEnd - toStep.placesBegin));
    int j = 0;
    for (int q = q0; q <= qLast; ++q) {
        if (m_places[toStep.placesBegin + j] == q) {
            m_next[j] = m_least[1] + (q != toStep.present ? 1 : 0);
            m_cameFrom[toStep.placesBegin + j] = m_leastAt[1];
            if (++j == static_cast<int>(m_next.size()))
                break;
        }
        const int a = from.indexOf(to.other(q));
        if (a < 0)
            continue;
        // Places at or above `a` now cross the line; those below no longer do.
        const int above =
            static_cast<int>(std::upper_bound(fromPlaces, fromPlaces + fromCount, a) - fromPlaces);
        m_pending[1] -= weight;
        m_least[1] -= weight;
        addToPrefix(1, 0, m_treeSize, above, 2 * weight);
    }
    std::swap(m_costs, m_next);
}

void StorylineRerouter::pull(int node)
{
    const int left = 2 * node;
    const bool leftWins = m_least[left] <= m_least[left + 1];
    m_least[node] = (leftWins ? m_least[left] : m_least[left + 1]) + m_pending[node];
    m_leastAt[node] = leftWins ? m_leastAt[left] : m_leastAt[left + 1];
}

// Adds `amount` to the entries 0..count-1 under the node, which covers low..high-1; pending
// additions stay on the node that covers them whole.
void StorylineRerouter::addToPrefix(int node, int low, int high, int count, long long amount)
{
    if (count <= low)
        return;
    if (high <= count) {
        m_least[node] += amount;
        m_pending[node] += amount;
        return;
    }
    const int middle = (low + high) / 2;
    addToPrefix(2 * node, low, middle, count, amount);
    addToPrefix(2 * node + 1, middle, high, count, amount);
    pull(node);
}

// Adds to m_costs the crossings, each `weight`, of the members where they stand at the
// neighbouring step `outside` with the lines they pass on the other side when the bundle
// takes each place of `step`.
void StorylineRerouter::edgeCrossings(const StorylineOrder &order, const std::vector<int> &members,
                                      int outside, const Step &step, long long weight)
{
    const Without without{order.at(step.step), order, step.step, step.present, m_blockSize};
    const std::vector<int> &neighbour = order.at(outside);
    const int *const places = m_places.data() + step.placesBegin;
    const int count = step.placesEnd - step.placesBegin;
    const int p0 = places[0];
    for (const int member : members) {
        const int at = order.position(member, outside);
        if (at < 0)
            continue;
        int crossings = 0;
        for (int i = 0; i < static_cast<int>(neighbour.size()); ++i) {
            const int index = without.indexOf(neighbour[i]);
            if (i != at && index >= 0 &&
                std::find(members.begin(), members.end(), neighbour[i]) == members.end() &&
                (i < at) != (index < p0))
                ++crossings;
        }
        int k = 0;
        for (int p = p0; p <= places[count - 1]; ++p) {
            if (k < count && places[k] == p)
                m_costs[k++] += crossings * weight;
            if (p < places[count - 1]) {
                const int lineAt = order.position(without.other(p), outside);
                if (lineAt >= 0)
                    crossings += lineAt < at ? -1 : 1;
            }
        }
    }
}

bool StorylineRerouter::rerouteBundle(StorylineOrder &order, const std::vector<int> &members,
                                      int first, int last)
{
    if (members.empty() || first < 0 || last < first)
        return false;
    m_blockSize = static_cast<int>(members.size());
    m_steps.clear();
    m_places.clear();
    for (int s = first; s <= last; ++s) {
        if (!prepareStep(order, members, s))
            return false;
    }
    m_cameFrom.assign(m_places.size(), 0);
    const int length = last - first + 1;
    // A crossing outweighs moving at every step, so the bundle only moves to lose crossings.
    const long long crossingWeight = length + 1;
    const Step &head = m_steps.front();
    m_costs.assign(static_cast<size_t>(head.placesEnd - head.placesBegin), 0);
    for (int k = head.placesBegin; k < head.placesEnd; ++k)
        m_costs[k - head.placesBegin] = m_places[k] != head.present ? 1 : 0;
    if (first > 0)
        edgeCrossings(order, members, first - 1, head, crossingWeight);
    for (int i = 1; i < length; ++i)
        crossOver(order, m_steps[i - 1], m_steps[i], m_blockSize * crossingWeight);
    if (last + 1 < m_frame.stepCount())
        edgeCrossings(order, members, last + 1, m_steps.back(), crossingWeight);

    // The cheapest end; on a tie the present place, else the first.
    const Step &tail = m_steps.back();
    int k = 0;
    for (int i = 1; i < tail.placesEnd - tail.placesBegin; ++i) {
        if (m_costs[i] < m_costs[k] ||
            (m_costs[i] == m_costs[k] && m_places[tail.placesBegin + i] == tail.present))
            k = i;
    }
    m_chosen.resize(length);
    for (int i = length - 1; i >= 0; --i) {
        m_chosen[i] = m_places[m_steps[i].placesBegin + k];
        k = m_cameFrom[m_steps[i].placesBegin + k];
    }
    bool moved = false;
    for (int i = 0; i < length; ++i) {
        const Step &step = m_steps[i];
        if (m_chosen[i] == step.present)
            continue;
        // Each step's new order only reads its own old one, so they change one by one.
        const std::vector<int> &full = order.at(step.step);
        const Without without{full, order, step.step, step.present, m_blockSize};
        std::vector<int> result;
        result.reserve(full.size());
        for (int p = 0; p <= without.size(); ++p) {
            if (p == m_chosen[i])
                result.insert(result.end(), full.begin() + step.present,
                              full.begin() + step.present + m_blockSize);
            if (p < without.size())
                result.push_back(without.other(p));
        }
        order.set(step.step, std::move(result));
        moved = true;
    }
    return moved;
}
