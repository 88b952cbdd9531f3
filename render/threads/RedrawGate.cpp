#include "threads/RedrawGate.h"

#include <algorithm>

namespace {

// A turn in progress, or the frame after it, which sets the turning speed back.
bool turning(const ViewState &state)
{
    return !std::equal(state.rotation, state.rotation + 3, state.targetRotation) ||
           state.spinSpeed != 1.0f;
}

} // namespace

bool operator==(const FrameInputs &a, const FrameInputs &b)
{
    return a.state == b.state && a.colors == b.colors && a.modelGeneration == b.modelGeneration &&
           a.upToDate == b.upToDate && a.graphReady == b.graphReady;
}

void RedrawGate::frameDrawn(const FrameInputs &inputs)
{
    m_lastInputs = inputs;
    m_hasDrawn = true;
    m_layoutMoved = false;
}

bool RedrawGate::needsFrame(const FrameInputs &current, bool imagePending) const
{
    return m_layoutMoved || inputsNeedFrame(current, imagePending);
}

bool RedrawGate::inputsNeedFrame(const FrameInputs &current, bool imagePending) const
{
    return imagePending || !m_hasDrawn || current != m_lastInputs ||
           (current.graphReady && current.upToDate && turning(current.state));
}
