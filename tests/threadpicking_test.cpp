#include "threads/ThreadPicking.h"

#include "SceneIndexBuilder.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <QPointF>
#include <gtest/gtest.h>

namespace {

// Three threads over two scenes in a 200 x 100 viewport, laid out by hand: thread c runs
// straight down the view at x = xs[c] (the view spans -10..10 across and -10..10 up).
class ThreadPickingTest : public ::testing::Test
{
protected:
    ThreadPickingTest()
    {
        state.viewportWidth = 200;
        state.viewportHeight = 100;
        model.buildThreads(index.get(), 0.25f);
        const float xs[] = {-5.0f, 0.0f, 5.0f};
        for (int c = 0; c < model.characterCount(); ++c) {
            for (const int node : model.threads()[size_t(c)].nodes) {
                ThreadNode &n = model.mutableNodes()[size_t(node)];
                n.position.x = xs[c];
                n.position.z = 0.0f;
                n.presence = 1.0f;
            }
        }
    }

    int at(double x, double y) const
    {
        return ThreadPicking::threadAt(model, state, QPointF(x, y), 4.0f);
    }

    std::unique_ptr<TimeIndexVector> index =
        makeSceneIndex(3, {{0.0f, 0.5f, {1, 0, 1}}, {0.5f, 1.0f, {0, 1, 2}}});
    ThreadModel model;
    ViewState state;
};

} // namespace

TEST_F(ThreadPickingTest, ForceDirected_FindsTheThreadUnderThePointerAsPannedZoomedAndTurned)
{
    // x = -5 is a quarter of the way across, x = 5 three quarters.
    EXPECT_EQ(at(50, 50), 0);
    EXPECT_EQ(at(101, 30), 1);
    EXPECT_EQ(at(152, 70), 2);
    EXPECT_EQ(at(75, 50), -1);

    state.viewOffset[2] = -13.0f; // zoom 4: x = 5 lands at 2 * 5 / 10 = off the view's edge
    EXPECT_EQ(at(100, 50), 1);
    EXPECT_EQ(at(50, 50), -1);
    EXPECT_EQ(at(0, 50), -1);
    state.viewOffset[2] = -52.0f; // zoom 1/4: x = -5 lands at -1.25
    EXPECT_EQ(at(100 - 12.5, 50), 0);

    state.viewOffset[2] = -26.0f;
    state.viewOffset[0] = 5.0f; // panned right by a quarter of the view
    EXPECT_EQ(at(100, 50), 0);

    state.viewOffset[0] = 0.0f;
    state.rotation[0] = 180.0f; // turned half round: left and right change places
    EXPECT_EQ(at(50, 50), 2);
    EXPECT_EQ(at(150, 50), 0);
}

TEST_F(ThreadPickingTest, HiddenStretches_ColorWeavingAndNoGraph_FindNothing)
{
    for (const int node : model.threads()[0].nodes)
        model.mutableNodes()[size_t(node)].presence = 0.0f;
    EXPECT_EQ(at(50, 50), -1);

    state.drawMode = ViewState::ColorWeaving;
    EXPECT_EQ(at(100, 50), -1);

    ThreadModel empty;
    state.drawMode = ViewState::ForceDirected;
    EXPECT_EQ(ThreadPicking::threadAt(empty, state, QPointF(100, 50), 4.0f), -1);
}

TEST_F(ThreadPickingTest, PinnedThread_IsFoundWhereThreadsOverlap)
{
    for (const int node : model.threads()[2].nodes)
        model.mutableNodes()[size_t(node)].position.x = 0.3f;
    EXPECT_EQ(at(99, 50), 1); // nearest
    state.selectedIndex = 2;
    EXPECT_EQ(at(99, 50), 2); // drawn on top
}

TEST_F(ThreadPickingTest, IncreasingGraph_FollowsEachRunningTotal)
{
    state.drawMode = ViewState::IncreasingGraph;
    // Values 0..1 across, time 0 at the top; each scene is half the screenplay. C0 grows to
    // 0.5 in the first scene and stays there, C1 stays at 0 and grows in the second, C2 grows
    // in both (its first half lies on C0's).
    EXPECT_EQ(at(100, 75), 0);
    EXPECT_EQ(at(0, 25), 1);
    EXPECT_EQ(at(50, 75), 1);
    EXPECT_EQ(at(150, 75), 2);
    EXPECT_EQ(at(190, 10), -1);

    state.flipAxis = true; // time across, values up
    EXPECT_EQ(at(150, 75), 1);
    EXPECT_EQ(at(150, 25), 2);
}
