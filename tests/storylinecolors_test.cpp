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

TEST(StorylineColors, OwnColour_StaysWhenAnEarlierLineNeedsAFreshHue)
{
    // The cast of a short screenplay: the second palette colour lies near the forced blue, and
    // the last one, a red, is like no other. The second line's fresh hue must not take it.
    const std::vector<QColor> given = {QColor(230, 120, 40), QColor(40, 140, 200),
                                       QColor(60, 120, 200), QColor(180, 80, 170),
                                       QColor(220, 170, 20), QColor(200, 40, 60)};
    const std::vector<bool> forced = {false, false, true, false, false, false};
    const std::vector<QColor> colors = distinctLineColors(given, forced);
    EXPECT_NE(colors[1], given[1]) << "too like the forced blue";
    for (const size_t own : {size_t(0), size_t(2), size_t(3), size_t(4), size_t(5)})
        EXPECT_EQ(colors[own], given[own]) << own;
}
