#pragma once

#include "threads/VertexData.h"

class ThreadModel;
struct ViewState;

// The vertices of the thread view's pieces, built from the model as it stands. The renderer
// builds them when the layout or a drawing option changes and draws them as they are on
// every frame in between. No GL is needed to build them.
namespace ThreadGeometry {

// One grey quad per scene across the whole view, alternating 0.8 and 0.9, at z = 0.
VertexData sceneBands(const ThreadModel &model);
// Each scene link of a present node as a line (two vertices) half in either end's colour.
VertexData sceneLinks(const ThreadModel &model);
// 2000 jittered strands shared among the threads at random, as line strips: a strand
// passes through the nodes of one thread at a random radial offset, in that thread's
// colour, wider where the character speaks. Reseeds the C library generator with 1, so
// the same layout and options always give the same strands.
VertexData threadStrands(const ThreadModel &model, const ViewState &state);
// The reading grid as lines in its own frame: 11 lines across x and 11 across z over
// [-1, 1] at y = 0, black at alpha 0.5.
const VertexData &readingGrid();

} // namespace ThreadGeometry
