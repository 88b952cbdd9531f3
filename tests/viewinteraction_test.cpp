#include "threads/ViewInteraction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

CharacterList castOf(const std::vector<QStringList> &names)
{
    CharacterList characters;
    for (const QStringList &name : names)
        characters.push_back(std::make_shared<Character>(name));
    return characters;
}

} // namespace

TEST(ViewInteraction, SelectByText_ExactWordsLastMatchWins)
{
    const CharacterList cast =
        castOf({{"JOHN", "SMITH"}, {"MARY"}, {"JOHN"}, {"JOHN", "SMITH"}, {"ANN", ""}});
    EXPECT_EQ(ViewInteraction::selectByText(cast, "MARY"), 1);
    // Two characters with the same words: the later one.
    EXPECT_EQ(ViewInteraction::selectByText(cast, "JOHN SMITH"), 3);
    // A list row's text is every word followed by a blank; that last blank is dropped.
    EXPECT_EQ(ViewInteraction::selectByText(cast, "JOHN "), 2);
    EXPECT_EQ(ViewInteraction::selectByText(cast, "JOHN SMITH "), 3);
    // Case matters, the word count must agree and only one trailing blank goes.
    EXPECT_EQ(ViewInteraction::selectByText(cast, "john smith"), -1);
    EXPECT_EQ(ViewInteraction::selectByText(cast, "JOHN SMITH JR"), -1);
    EXPECT_EQ(ViewInteraction::selectByText(cast, "ANN  "), 4);
    EXPECT_EQ(ViewInteraction::selectByText(cast, "MAR"), -1);
    EXPECT_EQ(ViewInteraction::selectByText({}, "MARY"), -1);
}

TEST(ViewInteraction, SpinTargets_QuarterTurnsTruncatedTowardZero)
{
    EXPECT_EQ(ViewInteraction::spinRightTarget(0.0f), 90.0f);
    EXPECT_EQ(ViewInteraction::spinRightTarget(45.0f), 90.0f);
    EXPECT_EQ(ViewInteraction::spinRightTarget(90.0f), 180.0f);
    EXPECT_EQ(ViewInteraction::spinRightTarget(-45.0f), 90.0f);
    EXPECT_EQ(ViewInteraction::spinRightTarget(-90.0f), 0.0f);
    EXPECT_EQ(ViewInteraction::spinLeftTarget(45.0f), -90.0f);
    EXPECT_EQ(ViewInteraction::spinLeftTarget(-45.0f), -90.0f);
    EXPECT_EQ(ViewInteraction::spinLeftTarget(-90.0f), -180.0f);
    EXPECT_EQ(ViewInteraction::spinLeftTarget(179.0f), 0.0f);
}

TEST(ViewInteraction, TurnStep_AcceleratesAndSnaps)
{
    float rotation[3] = {0.0f, 0.0f, 0.0f};
    const float target[3] = {10.0f, 0.0f, 0.0f};
    float speed = 1.0f;
    std::vector<float> angles;
    for (int frame = 0; frame < 5; ++frame) {
        ViewInteraction::turnStep(rotation, target, speed);
        angles.push_back(rotation[0]);
    }
    // 1, 2, 3 degrees, then the last step is capped by the remaining distance (4).
    EXPECT_EQ(angles, (std::vector<float>{1.0f, 3.0f, 6.0f, 10.0f, 10.0f}));
    EXPECT_EQ(speed, 1.0f); // at rest again

    // Within two degrees the view snaps; several axes move along the diagonal.
    float near[3] = {9.0f, 0.0f, 0.0f};
    ViewInteraction::turnStep(near, target, speed);
    EXPECT_EQ(near[0], 10.0f);
    float both[3] = {0.0f, 0.0f, 0.0f};
    const float diagonal[3] = {30.0f, 40.0f, 0.0f};
    speed = 5.0f;
    ViewInteraction::turnStep(both, diagonal, speed);
    EXPECT_FLOAT_EQ(both[0], 3.0f);
    EXPECT_FLOAT_EQ(both[1], 4.0f);
    EXPECT_EQ(speed, 6.0f);
}

TEST(ViewInteraction, KeysAndDrags)
{
    EXPECT_EQ(ViewInteraction::indexFromKeyText("0"), 0);
    EXPECT_EQ(ViewInteraction::indexFromKeyText("7"), 7);
    EXPECT_EQ(ViewInteraction::indexFromKeyText("q"), 0);
    EXPECT_EQ(ViewInteraction::indexFromKeyText(""), 0);

    float offset[3] = {0.0f, 0.0f, -26.0f};
    float rotation[3] = {0.0f, 0.0f, 0.0f};
    float target[3] = {90.0f, 0.0f, 0.0f};
    ViewInteraction::applyDrag(Qt::LeftButton, 20, 50, offset, rotation, target);
    EXPECT_FLOAT_EQ(rotation[0], 2.0f);
    EXPECT_FLOAT_EQ(target[0], 2.0f); // a drag stops the turn where it is
    EXPECT_FLOAT_EQ(offset[2], -26.0f);
    ViewInteraction::applyDrag(Qt::RightButton, 20, 50, offset, rotation, target);
    EXPECT_FLOAT_EQ(offset[2], -25.5f);
    ViewInteraction::applyDrag(Qt::MiddleButton, 20, 50, offset, rotation, target);
    EXPECT_FLOAT_EQ(offset[1], -0.5f);
    EXPECT_FLOAT_EQ(offset[0], 0.0f);
    EXPECT_FLOAT_EQ(rotation[0], 2.0f);

    // The wheel scales the distance: in and back out again comes home.
    ViewInteraction::applyWheel(2.0f, offset);
    EXPECT_FLOAT_EQ(offset[2], -25.5f * 0.81f);
    ViewInteraction::applyWheel(-2.0f, offset);
    EXPECT_FLOAT_EQ(offset[2], -25.5f);
}

TEST(ViewInteraction, ReadingFraction_TopWithoutScrollRange)
{
    EXPECT_FLOAT_EQ(ViewInteraction::readingFraction(50, 200), 0.25f);
    EXPECT_EQ(ViewInteraction::readingFraction(0, 0), 0.0f);
    EXPECT_EQ(ViewInteraction::readingFraction(10, 0), 0.0f);
}
