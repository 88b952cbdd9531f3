#include "scenes/StorylineSteps.h"

#include "SceneIndexBuilder.h"

#include <gtest/gtest.h>

TEST(StorylineSteps, FromIndex_OneGroupPerSceneOfWhoItCounts)
{
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.2f, {0, 0, 0}}, {0.2f, 0.6f, {2, 0, 1}}, {0.6f, 1.0f, {0, 5, 0}}});
    const StorylineSteps steps = storylineStepsFromIndex(*index);
    EXPECT_EQ(steps.characterCount, 3);
    const std::vector<StorylineSteps::Step> expected = {{}, {{0, 2}}, {{1}}};
    EXPECT_EQ(steps.steps, expected);
}
