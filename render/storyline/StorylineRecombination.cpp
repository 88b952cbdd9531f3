#include "storyline/StorylineRecombination.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"

#include <algorithm>
#include <limits>

namespace {

// A parent's order at a step, the right way up or mirrored.
struct Source
{
    const StorylineOrder *order;
    bool mirrored;

    int position(int character, int step) const
    {
        const int position = order->position(character, step);
        if (position < 0 || !mirrored)
            return position;
        return static_cast<int>(order->at(step).size()) - 1 - position;
    }
    std::vector<int> at(int step) const
    {
        std::vector<int> result = order->at(step);
        if (mirrored)
            std::reverse(result.begin(), result.end());
        return result;
    }
};

// The crossings between one source's order at the step and another's at the next.
int crossingsBetween(const Source &from, const Source &to, int step, std::vector<int> &places)
{
    const std::vector<int> &order = from.order->at(step);
    places.clear();
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const int character = order[from.mirrored ? order.size() - 1 - i : i];
        const int place = to.position(character, step + 1);
        if (place >= 0)
            places.push_back(place);
    }
    int crossings = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        for (size_t j = i + 1; j < places.size(); ++j)
            crossings += places[i] > places[j] ? 1 : 0;
    }
    return crossings;
}

} // namespace

StorylineOrder recombinedOrder(const StorylineFrame &frame,
                               const std::vector<const StorylineOrder *> &parents)
{
    std::vector<Source> sources;
    for (const StorylineOrder *parent : parents) {
        sources.push_back({parent, false});
        sources.push_back({parent, true});
    }
    const int count = static_cast<int>(sources.size());
    const int steps = frame.stepCount();
    std::vector<long long> costs(count, 0);
    std::vector<long long> next(count);
    std::vector<int> cameFrom(static_cast<size_t>(steps) * count, 0);
    std::vector<int> places;
    for (int s = 1; s < steps; ++s) {
        for (int j = 0; j < count; ++j) {
            next[j] = std::numeric_limits<long long>::max();
            // On a tie the same source: a change of parent gains nothing then.
            for (int i = 0; i < count; ++i) {
                const long long cost =
                    costs[i] + crossingsBetween(sources[i], sources[j], s - 1, places);
                if (cost < next[j] || (cost == next[j] && i == j)) {
                    next[j] = cost;
                    cameFrom[static_cast<size_t>(s) * count + j] = i;
                }
            }
        }
        std::swap(costs, next);
    }
    int source = static_cast<int>(std::min_element(costs.begin(), costs.end()) - costs.begin());
    StorylineOrder child(frame);
    for (int s = steps - 1; s >= 0; --s) {
        child.set(s, sources[source].at(s));
        source = cameFrom[static_cast<size_t>(s) * count + source];
    }
    return child;
}
