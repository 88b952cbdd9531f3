#include "view/RedrawGate.h"

#include <gtest/gtest.h>

namespace {

// One frame from `inputs` that moves a single node from x = `from` to x = `to`.
void frame(RedrawGate &gate, const FrameInputs &inputs, float from, float to)
{
    std::vector<ThreadNode> nodes(1);
    nodes[0].position.x = from;
    gate.frameStarting(nodes);
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
        frame(gate, inputs, 1.0f, 1.005f); // below the rest distance of 0.01
    }
    EXPECT_FALSE(gate.needsFrame(inputs, false));
    EXPECT_TRUE(gate.needsFrame(inputs, true)); // an image to write is drawn at once

    FrameInputs changed = inputs;
    changed.colors = {QColor(Qt::blue)};
    EXPECT_TRUE(gate.needsFrame(changed, false));
    frame(gate, changed, 1.0f, 1.0f); // drawn from other inputs than the frame before
    EXPECT_FALSE(gate.atRest());
    for (int i = 0; i < RedrawGate::quietFramesNeeded; ++i)
        frame(gate, changed, 1.0f, 1.0f);
    ASSERT_TRUE(gate.atRest());
    frame(gate, changed, 1.0f, 1.02f); // a move beyond the rest distance
    EXPECT_FALSE(gate.atRest());
    for (int i = 0; i < RedrawGate::quietFramesNeeded; ++i)
        frame(gate, changed, 1.0f, 1.0f);
    gate.wake();
    EXPECT_TRUE(gate.needsFrame(changed, false));
    // 20 units across 800 pixels are the finer of the two scales.
    EXPECT_FLOAT_EQ(RedrawGate::restDistance(400, 800, 20.0f), 0.25f * 20.0f / 800.0f);
}
