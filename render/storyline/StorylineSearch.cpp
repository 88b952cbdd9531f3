#include "storyline/StorylineSearch.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"
#include "storyline/StorylineOrdering.h"
#include "storyline/StorylineRecombination.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// How much searching a storyline gets. A sweep, and a round of local moves, cost about the
// sum over the steps of the squared number of lines drawn (the work). Improving a layout (a
// start or a child of the pool) takes rounds until the moves settle; the improvements and
// the rounds each share a budget of that work, so that a small storyline gets several starts,
// children and rounds and a large one a single start with few rounds: 14 lines over 200 steps
// are laid out in a few hundredths of a second, a feature-length screenplay in well under a
// tenth.
constexpr double improvementBudget = 1.2e5;
constexpr int mostImprovements = 12;
constexpr int mostStarts = 8;
constexpr double roundBudget = 1.0e6;
constexpr int fewestRounds = 2;
constexpr int mostRounds = 30; // the moves settle well before this on every storyline tried

double workOf(const StorylineFrame &frame)
{
    double work = 1.0;
    for (int s = 0; s < frame.stepCount(); ++s) {
        const double lines = static_cast<double>(frame.drawn(s).size());
        work += lines * lines;
    }
    return work;
}

int budgeted(double budget, double work, int fewest, int most)
{
    return static_cast<int>(std::clamp(budget / work, double(fewest), double(most)));
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

bool fewerCrossings(const Candidate &a, const Candidate &b)
{
    return a.crossings < b.crossings;
}

} // namespace

StorylineOrder searchFewestCrossings(const StorylineFrame &frame,
                                     const std::function<bool()> &canceled)
{
    const double work = workOf(frame);
    const int improvements = budgeted(improvementBudget, work, 1, mostImprovements);
    // Two starts in three, the rest children.
    const int starts = std::min(mostStarts, (2 * improvements + 2) / 3);
    const int generations = improvements - starts;
    const int rounds = budgeted(roundBudget, work, fewestRounds, mostRounds);
    const auto stop = [&canceled] {
        return canceled && canceled();
    };
    Shuffler shuffler;
    std::vector<Candidate> pool;
    for (int i = 0; i < starts && !stop(); ++i) {
        StorylineOrder order = i == 0
                                   ? firstAppearanceOrder(frame)
                                   : rankedOrder(frame, shuffler.shuffled(frame.characterCount()));
        sweepOrder(frame, order, true);
        if (!stop())
            sweepOrder(frame, order, false);
        if (!stop())
            improveOrder(frame, order, rounds, canceled);
        pool.push_back({order.crossings(), std::move(order)});
    }
    // Children of the whole pool, each improved, take the place of the worst while better.
    for (int generation = 0; generation < generations && pool.size() > 1 && !stop(); ++generation) {
        std::vector<const StorylineOrder *> parents;
        for (const Candidate &candidate : pool)
            parents.push_back(&candidate.order);
        StorylineOrder child = recombinedOrder(frame, parents);
        improveOrder(frame, child, rounds, canceled);
        const auto worst = std::max_element(pool.begin(), pool.end(), fewerCrossings);
        const int crossings = child.crossings();
        if (crossings >= worst->crossings)
            break;
        *worst = {crossings, std::move(child)};
    }
    // Stopped before the first start was made: the baseline, which costs nothing to make.
    if (pool.empty())
        return firstAppearanceOrder(frame);
    return std::move(std::min_element(pool.begin(), pool.end(), fewerCrossings)->order);
}
