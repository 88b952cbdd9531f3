#include "view/RedrawGate.h"

#include "SceneIndexBuilder.h"

#include <gtest/gtest.h>

namespace {

// One frame from `inputs` that leaves a single node at x = `to`.
void frame(RedrawGate &gate, const FrameInputs &inputs, float to)
{
    std::vector<ThreadNode> nodes(1);
    nodes[0].position.x = to;
    gate.frameDrawn(inputs, nodes, 0.01f);
}

} // namespace

TEST(RedrawGate, RestsAfterQuietFramesUntilInputsChangeOrTheUserActs)
{
    RedrawGate gate;
    FrameInputs inputs;
    // The first frame has nothing to compare with; then quietFramesNeeded quiet ones.
    for (int i = 0; i <= RedrawGate::quietFramesNeeded; ++i) {
        EXPECT_TRUE(gate.needsFrame(inputs, false)) << i;
        frame(gate, inputs, 1.0f + 0.001f * float(i % 2)); // within the rest distance of 0.01
    }
    EXPECT_FALSE(gate.needsFrame(inputs, false));
    EXPECT_TRUE(gate.needsFrame(inputs, true)); // an image to write is drawn at once

    FrameInputs changed = inputs;
    changed.colors = {QColor(Qt::blue)};
    EXPECT_TRUE(gate.needsFrame(changed, false));
    frame(gate, changed, 1.0f); // drawn from other inputs than the frame before
    EXPECT_FALSE(gate.atRest());
    for (int i = 0; i < RedrawGate::quietFramesNeeded; ++i)
        frame(gate, changed, 1.0f);
    ASSERT_TRUE(gate.atRest());
    frame(gate, changed, 1.02f); // a move beyond the rest distance
    EXPECT_FALSE(gate.atRest());
    for (int i = 0; i < RedrawGate::quietFramesNeeded; ++i)
        frame(gate, changed, 1.0f);
    gate.wake();
    EXPECT_TRUE(gate.needsFrame(changed, false));

    // A creep below the rest distance from frame to frame is still a layout on the move.
    RedrawGate creeping;
    for (int i = 0; i < 10 * RedrawGate::quietFramesNeeded; ++i)
        frame(creeping, inputs, 0.004f * float(i));
    EXPECT_FALSE(creeping.atRest());
    // 20 units across 800 pixels are the finer of the two scales.
    EXPECT_FLOAT_EQ(RedrawGate::restDistance(400, 800, 20.0f), 0.25f * 20.0f / 800.0f);
}

TEST(RedrawGate, ForceDirectedLayoutAtRest_GoesOnNoFasterThanTheRestAllows)
{
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.3f, {1, 1, 0}}, {0.3f, 0.7f, {0, 1, 1}}, {0.7f, 1.0f, {1, 0, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.05f));
    // The thread view's frames: one simulation step each, in a 640 x 480 view.
    const float restDistance = RedrawGate::restDistance(640, 480, model.graphHeight);
    RedrawGate gate;
    const FrameInputs inputs;
    int frames = 0;
    for (; frames < 20000 && !gate.atRest(); ++frames) {
        model.simulate(0.016f);
        gate.frameDrawn(inputs, model.nodes(), restDistance);
    }
    ASSERT_TRUE(gate.atRest());
    const std::vector<ThreadNode> rested = model.nodes();
    // The frames the redraw clock leaves out, had it gone on for a minute.
    for (int frame = 0; frame < 600; ++frame)
        model.simulate(0.016f);
    // The layout creeps on, but no faster than a quarter pixel per run of quiet frames: the
    // frames left out would not have drawn a visibly different picture.
    float farthest = 0.0f;
    for (std::size_t i = 0; i < rested.size(); ++i)
        farthest = std::max(farthest, length(model.nodes()[i].position - rested[i].position));
    EXPECT_LE(farthest, restDistance * 600.0f / RedrawGate::quietFramesNeeded)
        << "at rest after " << frames << " frames";
}
