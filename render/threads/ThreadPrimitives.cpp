#include <GL/glew.h>

#include "threads/ThreadPrimitives.h"

#include "support/Diagnostics.h"
#include "threads/ThreadGeometry.h"
#include "threads/ThreadModel.h"
#include "threads/ViewInteraction.h"
#include "threads/ViewState.h"

#include <GL/freeglut.h>

#include <cstdlib>

namespace ThreadPrimitives {

bool ensureGlutInitialized()
{
    static const bool ready = [] {
        // freeglut opens its own connection to the X display and ends the process when it
        // cannot, so it is only started when there is a display to open.
        const char *display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0')
            return false;
        int argc = 1;
        char name[] = "quillmark";
        char *argv[] = {name, nullptr};
        glutInit(&argc, argv);
        return true;
    }();
    return ready;
}

void drawReadingGrid(const ThreadModel &model, const ViewState &state)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    if (!state.hasTextView)
        return;
    const float fraction = ViewInteraction::readingFraction(state.scrollValue, state.scrollMaximum);
    const float y = (0.5f - fraction) * model.graphHeight;
    Diagnostics::print("%d / %d  = %f\n", state.scrollValue, state.scrollMaximum, y);
    glPushMatrix();
    glTranslatef(0.0f, y, 0.0f);
    const float scale = static_cast<float>(model.gridScale);
    glScalef(scale, scale, scale);
    const VertexData &grid = ThreadGeometry::readingGrid();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, grid.positions.data());
    glColorPointer(4, GL_FLOAT, 0, grid.colors.data());
    glDrawArrays(GL_LINES, 0, grid.vertexCount());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

} // namespace ThreadPrimitives
