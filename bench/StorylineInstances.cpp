#include "StorylineInstances.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <set>

namespace {

struct Lifetime
{
    int first = 0;
    int last = 0;
};

std::vector<Lifetime> lifetimes(const StorylineShape &shape, std::mt19937_64 &random)
{
    std::vector<Lifetime> result(shape.characters);
    std::uniform_real_distribution<double> share(0.5 * shape.life, std::min(1.0, 1.5 * shape.life));
    for (int c = 0; c < shape.characters; ++c) {
        // The first few lead the story from beginning to end.
        const int length =
            c < 3 ? shape.steps : std::max(2, static_cast<int>(share(random) * shape.steps));
        std::uniform_int_distribution<int> start(0, std::max(0, shape.steps - length));
        result[c].first = start(random);
        result[c].last = std::min(shape.steps - 1, result[c].first + length - 1);
    }
    return result;
}

} // namespace

GeneratedStoryline generateStoryline(const StorylineShape &shape)
{
    std::mt19937_64 random(shape.seed);
    const std::vector<Lifetime> lives = lifetimes(shape, random);
    std::vector<int> hidden(shape.characters);
    std::iota(hidden.begin(), hidden.end(), 0);
    std::shuffle(hidden.begin(), hidden.end(), random);

    GeneratedStoryline result;
    result.steps.characterCount = shape.characters;
    for (int c = 0; c < shape.characters; ++c)
        result.names.append(QStringLiteral("C%1").arg(c + 1, 2, 10, QLatin1Char('0')));
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    bool strayed = false;
    int planted = 0;
    for (int s = 0; s < shape.steps; ++s) {
        if (s > 0 && chance(random) < shape.swaps && shape.characters > 1) {
            const int i = std::uniform_int_distribution<int>(0, shape.characters - 2)(random);
            std::swap(hidden[i], hidden[i + 1]);
            // A crossing where both lines are drawn on both sides of the swap.
            const auto drawnAround = [&](int c) {
                return lives[c].first < s && lives[c].last >= s;
            };
            if (drawnAround(hidden[i]) && drawnAround(hidden[i + 1])) {
                // Only a crossing if no drawn line stands between them: they are neighbours.
                ++planted;
            }
        }
        std::vector<int> alive;
        for (const int c : hidden) {
            if (lives[c].first <= s && lives[c].last >= s)
                alive.push_back(c);
        }
        std::vector<bool> used(shape.characters, false);
        StorylineSteps::Step step;
        const int groups = std::uniform_int_distribution<int>(1, shape.mostGroups)(random);
        for (int g = 0; g < groups && alive.size() >= 2; ++g) {
            const int size = std::uniform_int_distribution<int>(
                2, std::min<int>(shape.largestGroup, static_cast<int>(alive.size())))(random);
            StorylineSteps::Group group;
            if (chance(random) < shape.strays) {
                strayed = true;
                std::vector<int> pool = alive;
                std::shuffle(pool.begin(), pool.end(), random);
                for (const int c : pool) {
                    if (!used[c] && static_cast<int>(group.size()) < size)
                        group.push_back(c);
                }
            } else {
                const int start = std::uniform_int_distribution<int>(
                    0, static_cast<int>(alive.size()) - size)(random);
                for (int i = start; i < start + size; ++i) {
                    if (used[alive[i]]) {
                        group.clear();
                        break;
                    }
                    group.push_back(alive[i]);
                }
            }
            if (group.size() < 2)
                continue;
            for (const int c : group)
                used[c] = true;
            step.push_back(group);
        }
        // A line begins and ends where its character is grouped: alone there if need be.
        for (const int c : alive) {
            if (!used[c] && (lives[c].first == s || lives[c].last == s))
                step.push_back({c});
        }
        result.steps.steps.push_back(step);
    }
    result.plantedCrossings = strayed ? -1 : planted;
    return result;
}

QStringList sessionsLines(const StorylineSteps &steps, const QStringList &names)
{
    QStringList lines;
    for (const StorylineSteps::Step &step : steps.steps) {
        QStringList groups;
        for (const StorylineSteps::Group &group : step) {
            QStringList members;
            for (const int c : group)
                members.append(names.at(c));
            groups.append(members.join(QLatin1Char(',')));
        }
        lines.append(groups.join(QLatin1Char('\t')));
    }
    return lines;
}
