#pragma once

class QByteArray;
struct StrandBuffer;
class ThreadModel;
struct ViewState;

// The pieces the thread view's draw modes are made of. All of them draw in immediate mode
// into the current GL context with the current matrices.
namespace ThreadPrimitives {

// Initialises the GLUT library once per process (spheres and stroke text need it).
// Returns false when GLUT cannot be used here (no X display), in which case spheres and
// labels are left out.
bool ensureGlutInitialized();

// One grey quad per scene across the whole view, alternating 0.8 and 0.9, at z = 0.
void drawSceneBands(const ThreadModel &model);
// A sphere at every visible node, as big as its presence.
void drawNodeSpheres(const ThreadModel &model);
// Each scene link of a present node as a line half in either end's colour.
void drawSceneLinks(const ThreadModel &model);
// 2000 jittered strands shared among the threads at random, then the labels if asked
// for. Reseeds the C library generator with 1 so the jitter is the same every frame.
// `buffer` is the caller's scratch, refilled on every call.
void drawThreadFibres(const ThreadModel &model, const ViewState &state, StrandBuffer &buffer);
// The name of thread `threadIndex` beside its middle, with a shadow, turned by `angle`.
void drawThreadLabel(const ThreadModel &model, int threadIndex, float xOffset, float angle);
// Latin-1 text in the GLUT mono-spaced stroke font. The scale by s is applied before the
// translation, so the text lands at (s * x, s * y, z).
void drawStrokeText(float x, float y, float z, float angle, float s, const QByteArray &text);
// A small horizontal grid at the height of the part of the screenplay the text view shows.
void drawReadingGrid(const ThreadModel &model, const ViewState &state);

} // namespace ThreadPrimitives
