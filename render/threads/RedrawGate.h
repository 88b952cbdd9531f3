#pragma once

#include "threads/ViewState.h"

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

// Decides when the thread view draws: only when the picture would differ from the one it
// drew last. That is when the layout has moved since, an input of the frame has changed, the
// view is turning (the frame that ends a turn is drawn too), or an image waits to be written.
// A settled layout with nothing changing therefore draws nothing at all.
class RedrawGate
{
public:
    // A frame has been drawn from `inputs` and the layout as it stands.
    void frameDrawn(const FrameInputs &inputs);
    // The layout has moved since the last frame.
    void layoutMoved() { m_layoutMoved = true; }

    // Whether a frame must be drawn now, `current` being the inputs as they stand and
    // `imagePending` whether a frame has an image to write.
    bool needsFrame(const FrameInputs &current, bool imagePending) const;
    // The same, leaving the layout's movement out: whether the frame is owed to the user.
    bool inputsNeedFrame(const FrameInputs &current, bool imagePending) const;

private:
    FrameInputs m_lastInputs;
    bool m_hasDrawn = false;
    bool m_layoutMoved = false;
};
