#pragma once

#include "view/ThreadModel.h"
#include "view/ViewState.h"

#include <QColor>

#include <cstdint>
#include <vector>

// Everything besides the node positions that one frame of the thread view is drawn from.
struct FrameInputs
{
    ViewState state;
    std::vector<QColor> colors;        // the threads' colours, in character order
    std::uint64_t modelGeneration = 0; // changes with every build or clear of the threads
    bool upToDate = true;
    bool graphReady = false;
};

bool operator==(const FrameInputs &a, const FrameInputs &b);
inline bool operator!=(const FrameInputs &a, const FrameInputs &b)
{
    return !(a == b);
}

// Decides when the thread view may stop redrawing. A frame is quiet when it was drawn from
// the same inputs as the frame before and every node is still within the rest distance (a
// quarter of a pixel) of where it was when the quiet frames began. After `quietFramesNeeded`
// quiet frames in a row (5 s of the redraw clock) the layout is at rest: the frames that
// would follow draw the same picture, so the redraw clock skips them until the inputs change
// or the user does something. The distance is counted from the start of the run and not
// from frame to frame: a simulated layout can creep by a fraction of a pixel a frame for
// minutes, and what it would draw a minute later is then a different picture.
class RedrawGate
{
public:
    static constexpr int quietFramesNeeded = 50;
    static constexpr float restPixels = 0.25f;

    // The model distance that covers `restPixels` on screen, in the smaller of the two
    // scales of a view of `width` x `height` pixels showing 20 units across and
    // `graphHeight` units down.
    static float restDistance(int width, int height, float graphHeight);

    // The frame drawn from `inputs` has left the nodes at `nodes`.
    void frameDrawn(const FrameInputs &inputs, const std::vector<ThreadNode> &nodes,
                    float restDistance);
    // Input from the user: the frames go on until the layout is at rest again.
    void wake() { m_quietFrames = 0; }

    bool atRest() const { return m_quietFrames >= quietFramesNeeded; }
    // Whether the redraw clock must draw a frame now, `current` being the inputs as they
    // stand and `imagePending` whether a frame has an image to write.
    bool needsFrame(const FrameInputs &current, bool imagePending) const;

private:
    std::vector<Vec3> m_quietStart; // where the nodes were when the quiet frames began
    FrameInputs m_lastInputs;
    bool m_hasDrawn = false;
    int m_quietFrames = 0;
};
