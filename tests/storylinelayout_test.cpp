#include "storyline/StorylineLayout.h"

#include "StorylineInstances.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

class StorylineLayoutTest : public ::testing::Test
{
protected:
    // Generated storylines of several kinds: few lines or many, long lives or short ones.
    static std::vector<StorylineSteps> generated()
    {
        std::vector<StorylineSteps> result;
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            result.push_back(generateStoryline({8, 60, 2, 3, 0.3, 0.05, 0.7, seed}).steps);
            result.push_back(generateStoryline({14, 120, 3, 4, 0.15, 0.03, 0.3, seed}).steps);
        }
        return result;
    }

    // Checks every rule of a layout against the steps, and recounts its crossings and
    // wiggles from the slots alone.
    static void expectValid(const StorylineSteps &steps, const StorylineLayout &layout)
    {
        const int n = steps.characterCount;
        ASSERT_EQ(layout.stepCount, static_cast<int>(steps.steps.size()));
        ASSERT_EQ(static_cast<int>(layout.lineSlots.size()), n);
        std::vector<int> first(n, -1);
        std::vector<int> last(n, -1);
        for (int s = 0; s < layout.stepCount; ++s) {
            for (const StorylineSteps::Group &group : steps.steps[s]) {
                for (const int c : group) {
                    first[c] = first[c] < 0 ? s : first[c];
                    last[c] = s;
                }
            }
        }
        int crossings = 0;
        int wiggles = 0;
        for (int s = 0; s < layout.stepCount; ++s) {
            std::vector<int> drawn;
            for (int c = 0; c < n; ++c) {
                const int slot = layout.lineSlots[c][s];
                EXPECT_EQ(slot >= 0, first[c] >= 0 && s >= first[c] && s <= last[c]);
                if (slot >= 0)
                    drawn.push_back(c);
            }
            std::sort(drawn.begin(), drawn.end(), [&](int a, int b) {
                return layout.lineSlots[a][s] < layout.lineSlots[b][s];
            });
            EXPECT_EQ(layout.order[s], drawn) << "the order follows the slots at step " << s;
            for (const StorylineSteps::Group &group : steps.steps[s]) {
                int top = layout.slotCount;
                int bottom = -1;
                for (const int c : group) {
                    top = std::min(top, layout.lineSlots[c][s]);
                    bottom = std::max(bottom, layout.lineSlots[c][s]);
                }
                EXPECT_EQ(bottom - top + 1, static_cast<int>(group.size()))
                    << "a group stands in consecutive slots at step " << s;
            }
            for (size_t i = 0; i + 1 < drawn.size(); ++i) {
                const int gap = layout.lineSlots[drawn[i + 1]][s] - layout.lineSlots[drawn[i]][s];
                const bool together = std::any_of(
                    steps.steps[s].begin(), steps.steps[s].end(), [&](const auto &group) {
                        return std::count(group.begin(), group.end(), drawn[i]) +
                                   std::count(group.begin(), group.end(), drawn[i + 1]) ==
                               2;
                    });
                EXPECT_EQ(gap == 1, together) << "units stand an empty slot apart at step " << s;
                EXPECT_GE(gap, 1);
            }
            if (s + 1 == layout.stepCount)
                continue;
            for (int a = 0; a < n; ++a) {
                const int a0 = layout.lineSlots[a][s];
                const int a1 = layout.lineSlots[a][s + 1];
                if (a0 < 0 || a1 < 0)
                    continue;
                wiggles += a0 != a1 ? 1 : 0;
                for (int b = a + 1; b < n; ++b) {
                    const int b0 = layout.lineSlots[b][s];
                    const int b1 = layout.lineSlots[b][s + 1];
                    if (b0 >= 0 && b1 >= 0 && (a0 < b0) != (a1 < b1))
                        ++crossings;
                }
            }
        }
        EXPECT_EQ(layout.crossings, crossings);
        EXPECT_EQ(layout.wiggles, wiggles);
    }

    // Three characters who meet two at a time: the one left out must stand at an edge, so the
    // middle line changes (one crossing) once at least; first appearance takes two.
    static StorylineSteps triangle()
    {
        StorylineSteps steps;
        steps.characterCount = 3;
        steps.steps = {{{0, 1}, {2}}, {{0, 2}}, {{1, 2}}, {{0, 1}}};
        return steps;
    }
};

} // namespace

TEST_F(StorylineLayoutTest, Layout_FollowsEveryRuleAndCountsWhatItDraws)
{
    for (const StorylineSteps &steps : generated()) {
        SCOPED_TRACE(steps.characterCount);
        expectValid(steps, layoutStoryline(steps));
        expectValid(steps, firstAppearanceLayout(steps));
    }
}

TEST_F(StorylineLayoutTest, Layout_NeverWorseThanFirstAppearance_AndTheSameEveryTime)
{
    for (const StorylineSteps &steps : generated()) {
        const StorylineLayout layout = layoutStoryline(steps);
        const StorylineLayout baseline = firstAppearanceLayout(steps);
        EXPECT_TRUE(layout.crossings < baseline.crossings ||
                    (layout.crossings == baseline.crossings && layout.wiggles <= baseline.wiggles));
        const StorylineLayout again = layoutStoryline(steps);
        EXPECT_EQ(again.lineSlots, layout.lineSlots);
    }
}

TEST_F(StorylineLayoutTest, FewestCrossings_FoundWhereFirstAppearanceMissesThem)
{
    const StorylineLayout layout = layoutStoryline(triangle());
    EXPECT_EQ(firstAppearanceLayout(triangle()).crossings, 2);
    EXPECT_EQ(layout.crossings, 1);
    expectValid(triangle(), layout);

    // Groups drawn from a hidden order that never changes: no crossing is needed.
    const GeneratedStoryline planted = generateStoryline({12, 150, 3, 4, 0.0, 0.0, 0.6, 5});
    ASSERT_EQ(planted.plantedCrossings, 0);
    ASSERT_GT(firstAppearanceLayout(planted.steps).crossings, 0);
    EXPECT_EQ(layoutStoryline(planted.steps).crossings, 0);
}

TEST_F(StorylineLayoutTest, Lines_CountOnlyWhereDrawnAtBothSteps_AndStayLevelWhenUnchanged)
{
    StorylineSteps steps;
    steps.characterCount = 4;
    // A ends as D begins, each beside B and C, who meet at every step.
    steps.steps = {{{0, 1, 2}}, {{1, 2}, {0}}, {{3, 2, 1}}, {{1, 2}, {3}}, {{1, 2}}};
    const StorylineLayout layout = layoutStoryline(steps);
    expectValid(steps, layout);
    EXPECT_EQ(layout.crossings, 0);
    EXPECT_EQ(layout.lineSlots[0][2], -1);
    EXPECT_EQ(layout.lineSlots[3][1], -1);
    EXPECT_EQ(layout.lineSlots[3][4], -1) << "a line ends with the last step that groups it";

    // The same groups at every step, listed in any order, and a line alone between its first
    // and last step: nothing moves.
    steps.characterCount = 5;
    steps.steps = {
        {{0, 1}, {2, 3}, {4}}, {{0, 1}, {3, 2}}, {{2, 3}, {1, 0}}, {{0, 1}, {2, 3}, {4}}};
    const StorylineLayout still = layoutStoryline(steps);
    expectValid(steps, still);
    EXPECT_EQ(still.crossings, 0);
    EXPECT_EQ(still.wiggles, 0);
}

TEST_F(StorylineLayoutTest, Canceled_EndsWithAnEmptyLayout)
{
    // The window cancels a layout when the next parse arrives, sometimes before it starts,
    // sometimes in the middle of a sweep.
    for (const StorylineSteps &steps : generated()) {
        EXPECT_TRUE(layoutStoryline(steps, [] { return true; }).order.empty());
        int asked = 0;
        EXPECT_TRUE(layoutStoryline(steps, [&asked] { return ++asked > 2; }).order.empty());
    }
}

TEST_F(StorylineLayoutTest, NobodyGrouped_GivesAnEmptyLayout)
{
    StorylineSteps steps;
    steps.characterCount = 2;
    steps.steps = {{}, {}};
    const StorylineLayout layout = layoutStoryline(steps);
    EXPECT_EQ(layout.stepCount, 2);
    EXPECT_EQ(layout.slotCount, 0);
    EXPECT_EQ(layout.lineSlots, (std::vector<std::vector<int>>{{-1, -1}, {-1, -1}}));
}
