#include "storyline/StorylineColors.h"

#include <gtest/gtest.h>

TEST(StorylineColors, SharedColours_GetHuesOfTheirOwn_ForcedAndDistinctOnesStay)
{
    const QColor grey(128, 128, 128);
    const QColor red(200, 40, 40);
    const QColor nearRed(205, 45, 42);
    const std::vector<QColor> given = {red, grey, grey, grey, nearRed, grey, red};
    const std::vector<bool> forced = {false, false, false, false, false, false, true};
    const std::vector<QColor> colors = distinctLineColors(given, forced);
    ASSERT_EQ(colors.size(), given.size());
    EXPECT_EQ(colors[6], red) << "a forced colour is the user's";
    EXPECT_EQ(colors[1], grey) << "the first to have a colour keeps it";
    for (size_t i = 0; i < colors.size(); ++i) {
        for (size_t j = i + 1; j < colors.size(); ++j) {
            const int distance = std::abs(colors[i].red() - colors[j].red()) +
                                 std::abs(colors[i].green() - colors[j].green()) +
                                 std::abs(colors[i].blue() - colors[j].blue());
            EXPECT_GT(distance, 40) << i << " and " << j;
        }
    }
    EXPECT_EQ(distinctLineColors(given, forced), colors) << "the same every time";
}
