#include "threads/RedrawGate.h"

#include <gtest/gtest.h>

TEST(RedrawGate, DrawsOnlyWhatWouldDifferFromTheLastFrame)
{
    RedrawGate gate;
    FrameInputs inputs;
    inputs.graphReady = true;
    EXPECT_TRUE(gate.needsFrame(inputs, false)); // nothing drawn yet
    gate.frameDrawn(inputs);
    EXPECT_FALSE(gate.needsFrame(inputs, false));
    EXPECT_TRUE(gate.needsFrame(inputs, true)); // an image to write is drawn at once

    gate.layoutMoved();
    EXPECT_TRUE(gate.needsFrame(inputs, false));
    gate.frameDrawn(inputs);
    EXPECT_FALSE(gate.needsFrame(inputs, false));

    FrameInputs recoloured = inputs;
    recoloured.colors = {QColor(Qt::blue)};
    EXPECT_TRUE(gate.needsFrame(recoloured, false));
    gate.frameDrawn(recoloured);

    // A turn draws until the frame after it reached its target has set the speed back.
    FrameInputs turning = recoloured;
    turning.state.targetRotation[0] = 90.0f;
    gate.frameDrawn(turning);
    EXPECT_TRUE(gate.needsFrame(turning, false));
    turning.state.rotation[0] = 90.0f;
    turning.state.spinSpeed = 14.0f;
    gate.frameDrawn(turning);
    EXPECT_TRUE(gate.needsFrame(turning, false));
    turning.state.spinSpeed = 1.0f;
    gate.frameDrawn(turning);
    EXPECT_FALSE(gate.needsFrame(turning, false));
    // Without a graph the turn waits, and so do the frames.
    turning.graphReady = false;
    turning.state.targetRotation[0] = 180.0f;
    gate.frameDrawn(turning);
    EXPECT_FALSE(gate.needsFrame(turning, false));
}
