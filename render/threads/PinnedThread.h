#pragma once

class ThreadModel;
struct ViewState;

// Draws the pinned character's thread (state.selectedIndex) over all the others, as an opaque
// line in its colour with a dark edge, thicker than any thread around it: a pinned thread
// stands out wherever the layout puts it. Nothing is drawn when no thread is pinned. Draws
// into the current GL context with the current matrices.
void drawPinnedThread(const ThreadModel &model, const ViewState &state);
