#pragma once

class QPointF;
class ThreadModel;
struct ViewState;

// Which thread the pointer is on, found from where the draw mode puts the model's nodes, not
// from the pixels drawn.
namespace ThreadPicking {

// The thread drawn nearest to `pixel` (in the viewport's pixels from its top left) when it
// passes within `tolerance` pixels of it: its index, which is its character's index in the
// model; -1 otherwise. The pinned thread is drawn on top, so it is found first. Color
// Weaving draws no threads and finds none.
int threadAt(const ThreadModel &model, const ViewState &state, const QPointF &pixel,
             float tolerance);

} // namespace ThreadPicking
