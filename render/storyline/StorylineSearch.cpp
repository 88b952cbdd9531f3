#include "storyline/StorylineSearch.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"
#include "storyline/StorylineOrdering.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// The starts tried and how many of the best are improved. One sweep over a storyline costs
// about the sum over its steps of the squared number of lines drawn; the starts share a
// budget of that work, so a small storyline gets many and a very large one a single start.
constexpr int mostStarts = 8;
constexpr double startBudget = 2.0e6;
constexpr int improvementRounds = 30;

int startsFor(const StorylineFrame &frame)
{
    double work = 1.0;
    for (int s = 0; s < frame.stepCount(); ++s) {
        const double lines = static_cast<double>(frame.drawn(s).size());
        work += lines * lines;
    }
    return std::clamp(static_cast<int>(startBudget / work), 1, mostStarts);
}

// A generator of its own (splitmix64), so that the shuffles are the same with every
// standard library.
class Shuffler
{
public:
    std::vector<int> shuffled(int count)
    {
        std::vector<int> items(count);
        std::iota(items.begin(), items.end(), 0);
        for (int i = count - 1; i > 0; --i)
            std::swap(items[i], items[static_cast<int>(next() % static_cast<uint64_t>(i + 1))]);
        return items;
    }

private:
    uint64_t next()
    {
        uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    uint64_t m_state = 0x5eed;
};

struct Candidate
{
    int crossings = 0;
    StorylineOrder order;
};

} // namespace

StorylineOrder searchFewestCrossings(const StorylineFrame &frame,
                                     const std::function<bool()> &canceled)
{
    const int starts = startsFor(frame);
    const size_t kept = starts >= 4 ? 2 : 1;
    Shuffler shuffler;
    std::vector<Candidate> best; // ascending by crossings, at most `kept`
    for (int i = 0; i < starts; ++i) {
        StorylineOrder order = i == 0
                                   ? firstAppearanceOrder(frame)
                                   : rankedOrder(frame, shuffler.shuffled(frame.characterCount()));
        sweepOrder(frame, order, true);
        sweepOrder(frame, order, false);
        Candidate candidate{order.crossings(), std::move(order)};
        const auto place = std::upper_bound(
            best.begin(), best.end(), candidate.crossings,
            [](int crossings, const Candidate &other) { return crossings < other.crossings; });
        best.insert(place, std::move(candidate));
        if (best.size() > kept)
            best.pop_back();
        if (canceled && canceled())
            break;
    }
    for (Candidate &candidate : best) {
        if (canceled && canceled())
            break;
        improveOrder(frame, candidate.order, improvementRounds, canceled);
        candidate.crossings = candidate.order.crossings();
    }
    const auto winner =
        std::min_element(best.begin(), best.end(), [](const Candidate &a, const Candidate &b) {
            return a.crossings < b.crossings;
        });
    return std::move(winner->order);
}
