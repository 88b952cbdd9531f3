// Measures the storyline layout on generated storylines: crossings and wiggles against the
// first-appearance baseline, against the planted layout where there is one, and against the
// best of a long multi-start search (a stand-in for the optimum), with the time each takes.
// Usage: storyline_quality [RESTARTS]   (restarts of the long search, default 200)

#include "StorylineInstances.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineLayout.h"
#include "storyline/StorylineOrder.h"
#include "storyline/StorylineOrdering.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <random>

#include <time.h>

namespace {

// Processor time of this thread: the machine is shared, and wall time says more about the
// other users than about the layout.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// A random order of the characters, each step's units sorted by their least member.
StorylineOrder randomOrder(const StorylineFrame &frame, std::mt19937_64 &random)
{
    std::vector<int> rank(frame.characterCount());
    for (int c = 0; c < frame.characterCount(); ++c)
        rank[c] = c;
    std::shuffle(rank.begin(), rank.end(), random);
    StorylineOrder order(frame);
    for (int s = 0; s < frame.stepCount(); ++s) {
        std::vector<int> drawn = frame.drawn(s);
        const auto unitKey = [&](int c) {
            int key = rank[c];
            for (const int d : drawn) {
                if (frame.unitOf(d, s) == frame.unitOf(c, s))
                    key = std::min(key, rank[d]);
            }
            return key;
        };
        std::sort(drawn.begin(), drawn.end(), [&](int a, int b) {
            const int ka = unitKey(a);
            const int kb = unitKey(b);
            return ka != kb ? ka < kb : rank[a] < rank[b];
        });
        order.set(s, drawn);
    }
    return order;
}

int longSearch(const StorylineSteps &steps, int restarts)
{
    const StorylineFrame frame(steps);
    std::mt19937_64 random(7);
    int best = firstAppearanceOrder(frame).crossings();
    for (int r = 0; r < restarts; ++r) {
        StorylineOrder order = randomOrder(frame, random);
        if (r % 2 == 1) {
            sweepOrder(frame, order, true);
            sweepOrder(frame, order, false);
        }
        improveOrder(frame, order, 200);
        if (getenv("SHOW"))
            std::printf(" %d", order.crossings());
        best = std::min(best, order.crossings());
    }
    return best;
}

// The fewest crossings any layout has, by dynamic programming over every order of every
// step: for storylines of at most seven characters.
int exactCrossings(const StorylineSteps &steps)
{
    const StorylineFrame frame(steps);
    const int n = frame.characterCount();
    // A state: an order of the step, as the set of pairs (a < b) with a above b.
    struct State
    {
        unsigned above = 0;
        unsigned drawnPairs = 0;
    };
    const auto pairBit = [n](int a, int b) {
        return 1u << (a * n + b);
    };
    std::vector<long long> costs;
    std::vector<State> previous;
    for (int s = 0; s < frame.stepCount(); ++s) {
        std::vector<int> drawn = frame.drawn(s);
        std::sort(drawn.begin(), drawn.end());
        std::vector<State> states;
        unsigned drawnPairs = 0;
        for (const int a : drawn)
            for (const int b : drawn)
                if (a < b)
                    drawnPairs |= pairBit(a, b);
        do {
            bool together = true;
            for (size_t i = 0; i < drawn.size() && together; ++i)
                for (size_t j = i + 1; j < drawn.size() && together; ++j)
                    for (size_t k = i + 1; k < j && together; ++k) {
                        const int unit = frame.unitOf(drawn[i], s);
                        together = !(unit == frame.unitOf(drawn[j], s) &&
                                     frame.unitOf(drawn[k], s) != unit);
                    }
            if (!together)
                continue;
            State state;
            state.drawnPairs = drawnPairs;
            for (size_t i = 0; i < drawn.size(); ++i)
                for (size_t j = i + 1; j < drawn.size(); ++j)
                    if (drawn[i] < drawn[j])
                        state.above |= pairBit(drawn[i], drawn[j]);
            states.push_back(state);
        } while (std::next_permutation(drawn.begin(), drawn.end()));
        std::vector<long long> next(states.size(), std::numeric_limits<long long>::max());
        for (size_t j = 0; j < states.size(); ++j) {
            if (previous.empty()) {
                next[j] = 0;
                continue;
            }
            for (size_t i = 0; i < previous.size(); ++i) {
                const unsigned common = previous[i].drawnPairs & states[j].drawnPairs;
                const long long cost =
                    costs[i] + __builtin_popcount((previous[i].above ^ states[j].above) & common);
                next[j] = std::min(next[j], cost);
            }
        }
        if (states.empty()) // a step with nobody drawn
            continue;
        costs = std::move(next);
        previous = std::move(states);
    }
    return costs.empty() ? 0 : static_cast<int>(*std::min_element(costs.begin(), costs.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int restarts = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    struct Case
    {
        const char *name;
        StorylineShape shape;
    };
    std::vector<Case> cases;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        cases.push_back({"movie 12x200", {12, 200, 2, 4, 0.15, 0.03, 0.6, seed}});
        cases.push_back({"movie 14x400", {14, 400, 2, 5, 0.15, 0.02, 0.6, seed}});
        cases.push_back({"movie 10x120", {10, 120, 1, 4, 0.2, 0.03, 0.7, seed}});
        cases.push_back({"planted 14x300", {14, 300, 2, 4, 0.0, 0.03, 0.7, seed}});
    }
    std::printf("%-16s %5s | %9s %9s | %9s %9s | %7s %7s | %8s\n", "instance", "seed", "base X",
                "base W", "layout X", "layout W", "best X", "planted", "ms");
    for (const Case &instance : cases) {
        const GeneratedStoryline generated = generateStoryline(instance.shape);
        const StorylineLayout baseline = firstAppearanceLayout(generated.steps);
        const double before = cpuMs();
        const StorylineLayout layout = layoutStoryline(generated.steps);
        const double ms = cpuMs() - before;
        const int best = std::min(layout.crossings, longSearch(generated.steps, restarts));
        std::printf("%-16s %5d | %9d %9d | %9d %9d | %7d %7d | %8.1f\n", instance.name,
                    int(instance.shape.seed), baseline.crossings, baseline.wiggles,
                    layout.crossings, layout.wiggles, best, generated.plantedCrossings, ms);
    }
    std::printf("\n%-16s %5s | %9s | %9s | %7s\n", "small", "seed", "base X", "layout X",
                "exact X");
    int matched = 0;
    int tried = 0;
    double worst = 1.0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const StorylineShape shape{6, 60, 2, 3, 0.3, 0.05, 0.7, seed};
        const GeneratedStoryline generated = generateStoryline(shape);
        const StorylineLayout layout = layoutStoryline(generated.steps);
        const int exact = exactCrossings(generated.steps);
        ++tried;
        matched += layout.crossings == exact ? 1 : 0;
        if (exact > 0)
            worst = std::max(worst, double(layout.crossings) / exact);
        std::printf("%-16s %5d | %9d | %9d | %7d | %7d\n", "small 6x60", int(seed),
                    firstAppearanceLayout(generated.steps).crossings, layout.crossings, exact,
                    longSearch(generated.steps, restarts));
    }
    std::printf("optimal on %d of %d; worst ratio %.3f\n", matched, tried, worst);
    return 0;
}
