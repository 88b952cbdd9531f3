#pragma once

class ThreadModel;
struct ViewState;

// What the draw modes share outside the cached pieces: GLUT's start and the reading grid.
namespace ThreadPrimitives {

// Initialises the GLUT library once per process (spheres and stroke text need it).
// Returns false when GLUT cannot be used here (no X display), in which case spheres and
// labels are left out.
bool ensureGlutInitialized();

// A small horizontal grid at the height of the part of the screenplay the text view shows.
// Its 44 vertices are constant and drawn from client memory.
void drawReadingGrid(const ThreadModel &model, const ViewState &state);

} // namespace ThreadPrimitives
