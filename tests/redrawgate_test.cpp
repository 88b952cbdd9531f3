#include "view/RedrawGate.h"

#include <gtest/gtest.h>

namespace {

std::vector<ThreadNode> nodesAt(std::initializer_list<float> xs)
{
    std::vector<ThreadNode> nodes;
    for (const float x : xs) {
        ThreadNode node;
        node.position = {x, 0.0f, 0.0f};
        nodes.push_back(node);
    }
    return nodes;
}

// One frame that moves the single node from `from` to `to`.
void frame(RedrawGate &gate, const FrameInputs &inputs, float from, float to)
{
    gate.frameStarting(nodesAt({from}));
    gate.frameDrawn(inputs, nodesAt({to}), 0.01f);
}

} // namespace

TEST(RedrawGate, RestsAfterQuietFramesAndNotBefore)
{
    RedrawGate gate;
    const FrameInputs inputs;
    // The first frame has nothing to compare with; then quietFramesNeeded quiet ones.
    for (int i = 0; i <= RedrawGate::quietFramesNeeded; ++i) {
        EXPECT_FALSE(gate.atRest()) << i;
        EXPECT_TRUE(gate.needsFrame(inputs, false));
        frame(gate, inputs, 1.0f, 1.005f); // below the rest distance of 0.01
    }
    EXPECT_TRUE(gate.atRest());
    EXPECT_FALSE(gate.needsFrame(inputs, false));
    EXPECT_TRUE(gate.needsFrame(inputs, true)); // an image to write is drawn at once

    frame(gate, inputs, 1.0f, 1.02f); // a move beyond it starts the count again
    EXPECT_FALSE(gate.atRest());
}

TEST(RedrawGate, ChangedInputsAndUserInputWakeIt)
{
    RedrawGate gate;
    FrameInputs inputs;
    inputs.colors = {QColor(Qt::red)};
    for (int i = 0; i <= RedrawGate::quietFramesNeeded; ++i)
        frame(gate, inputs, 0.0f, 0.0f);
    ASSERT_TRUE(gate.atRest());
    FrameInputs changed = inputs;
    changed.colors = {QColor(Qt::blue)};
    EXPECT_TRUE(gate.needsFrame(changed, false));
    changed.state.scrollValue = 40; // the reading grid follows the text view
    EXPECT_TRUE(gate.needsFrame(changed, false));

    frame(gate, changed, 0.0f, 0.0f); // drawn from other inputs than the frame before
    EXPECT_FALSE(gate.atRest());
    for (int i = 0; i < RedrawGate::quietFramesNeeded; ++i)
        frame(gate, changed, 0.0f, 0.0f);
    ASSERT_TRUE(gate.atRest());
    gate.wake();
    EXPECT_TRUE(gate.needsFrame(changed, false));
    // 20 units across 800 pixels are the finer of the two scales.
    EXPECT_FLOAT_EQ(RedrawGate::restDistance(400, 800, 20.0f), 0.25f * 20.0f / 800.0f);
}
