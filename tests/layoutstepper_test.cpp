#include "threads/LayoutStepper.h"

#include "SceneIndexBuilder.h"
#include "threads/ThreadModel.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TimeIndexVector> threeCharacters()
{
    return makeSceneIndex(
        3, {{0.0f, 0.3f, {1, 1, 0}}, {0.3f, 0.7f, {0, 1, 1}}, {0.7f, 1.0f, {1, 0, 1}}});
}

std::vector<Vec3> positions(const ThreadModel &model)
{
    std::vector<Vec3> result;
    for (const ThreadNode &node : model.nodes())
        result.push_back(node.position);
    return result;
}

bool samePositions(const std::vector<Vec3> &a, const std::vector<Vec3> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Vec3 &m, const Vec3 &n) {
        return m.x == n.x && m.y == n.y && m.z == n.z;
    });
}

} // namespace

TEST(LayoutStepper, ForceDirected_CoolsToAStandstillTheSameEveryTime)
{
    const auto index = threeCharacters();
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.05f));
    LayoutStepper stepper;
    stepper.setSettings({0, -1, true, 0.1f});
    float temperature = stepper.temperature();
    int steps = 0;
    while (stepper.step(model)) {
        ++steps;
        ASSERT_LT(stepper.temperature(), temperature); // every step cools
        temperature = stepper.temperature();
    }
    EXPECT_TRUE(stepper.settled());
    EXPECT_GT(steps, 10);
    EXPECT_LT(steps, LayoutStepper::settleStepLimit);
    EXPECT_EQ(stepper.steps(), steps);

    // Settled, a step moves nothing; a second model settles to the very same layout.
    const std::vector<Vec3> settled = positions(model);
    EXPECT_FALSE(stepper.step(model));
    EXPECT_TRUE(samePositions(positions(model), settled));
    ThreadModel again;
    again.buildThreads(index.get(), 0.05f);
    LayoutStepper other;
    other.setSettings(stepper.settings());
    EXPECT_EQ(other.settle(again, LayoutStepper::settleStepLimit), steps);
    EXPECT_TRUE(samePositions(positions(again), settled));

    // The same settings leave it settled; a pinned thread warms it and moves the layout.
    stepper.setSettings({0, -1, true, 0.1f});
    EXPECT_TRUE(stepper.settled());
    stepper.setSettings({0, 1, true, 0.1f});
    EXPECT_FALSE(stepper.settled());
    EXPECT_EQ(stepper.temperature(), 1.0f);
    EXPECT_GT(stepper.settle(model, LayoutStepper::settleStepLimit), 0);
    for (const int node : model.threads()[1].nodes)
        EXPECT_EQ(model.nodes()[node].position.x, 0.0f);
}

TEST(LayoutStepper, OtherModes_ConvergencePlacesOnceWeavingAndIncreasingMoveNothing)
{
    const auto index = threeCharacters();
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.05f));
    LayoutStepper stepper;
    for (const int mode : {1, 3}) {
        stepper.setSettings({mode, -1, true, 0.1f});
        EXPECT_EQ(stepper.settle(model, 100), 0) << mode;
        EXPECT_TRUE(stepper.settled());
    }
    EXPECT_TRUE(samePositions(positions(model), [&] {
        std::vector<Vec3> home;
        for (const ThreadNode &node : model.nodes())
            home.push_back(node.homePosition);
        return home;
    }()));

    stepper.setSettings({2, -1, true, 0.3f});
    EXPECT_EQ(stepper.settle(model, 100), 1);
    ThreadModel placed;
    placed.buildThreads(index.get(), 0.05f);
    placed.placeConvergence(0.3f);
    EXPECT_TRUE(samePositions(positions(model), positions(placed)));

    // Without threads nothing steps.
    ThreadModel empty;
    stepper.warm();
    EXPECT_FALSE(stepper.step(empty));
    EXPECT_TRUE(stepper.settled());
}
