#include <GL/glew.h>

#include "threads/IncreasingChart.h"

#include "scenes/TimeIndexVector.h"
#include "threads/RunningTotal.h"
#include "threads/ThreadModel.h"
#include "threads/ThreadPrimitives.h"
#include "threads/ViewInteraction.h"
#include "threads/ViewState.h"
#include "threads/ViewTransform.h"

#include <QColor>

#include <algorithm>

void IncreasingChart::draw(const ThreadModel &model, const ViewState &state)
{
    m_height = model.graphHeight;
    m_flip = state.flipAxis;
    glViewport(0, 0, state.viewportWidth, state.viewportHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(ViewTransform::increasingProjection(m_height, m_flip).constData());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(ViewTransform::increasingModelView(state, m_height).constData());

    m_totals.assign(model.characters().size(), 0.0f);
    glDisable(GL_LIGHTING);
    // Only the fills are translucent, but an opaque colour (alpha 1) blends to itself, so
    // blending stays on for the whole chart: a state change per primitive would make every
    // primitive a draw call of its own, for the same pixels.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    m_lineWidth = 1.0f;
    glLineWidth(m_lineWidth);
    const std::vector<Scene> &scenes = model.timeIndex()->scenes;
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const float top = (0.5f - scenes[i].start) * m_height;
        const float bottom = (0.5f - scenes[i].end) * m_height;
        drawBand(i, top, bottom);
        for (std::size_t c = 0; c < m_totals.size(); ++c)
            drawCharacter(model, scenes[i], c, top, bottom, state);
    }
    drawPinnedLine(model, state);
    glDisable(GL_BLEND);
    glLineWidth(1.0f);

    if (state.drawGrid) {
        if (m_flip)
            drawReadingLine(model, state);
        else
            ThreadPrimitives::drawReadingGrid(model, state);
    }
}

// Normal orientation draws (value, time); flipped draws (-time, value).
void IncreasingChart::point(float value, float time, float z) const
{
    if (m_flip)
        glVertex3f(-time, value, z);
    else
        glVertex3f(value, time, z);
}

void IncreasingChart::drawBand(std::size_t sceneIndex, float top, float bottom) const
{
    const float grey = sceneIndex % 2 == 0 ? 0.8f : 0.9f;
    glColor3f(grey, grey, grey);
    glBegin(GL_QUADS);
    point(-1000.0f, top, -5.0f);
    point(1000.0f, top, -5.0f);
    point(1000.0f, bottom, -5.0f);
    point(-1000.0f, bottom, -5.0f);
    glEnd();
}

// A translucent fill from the far left up to the character's running total, and the line
// of the total itself, thick where the character speaks.
void IncreasingChart::drawCharacter(const ThreadModel &model, const Scene &scene, std::size_t c,
                                    float top, float bottom, const ViewState &state)
{
    const bool present = scene.counts.value(static_cast<int>(c)) != 0;
    const float before = m_totals[c];
    const float after = before + runningTotalStep(scene, static_cast<int>(c));
    m_totals[c] = after;

    const QColor &color = model.characters()[c]->color;
    const GLfloat red = static_cast<GLfloat>(color.redF());
    const GLfloat green = static_cast<GLfloat>(color.greenF());
    const GLfloat blue = static_cast<GLfloat>(color.blueF());
    glColor4f(red, green, blue, state.threadTransparency);
    glBegin(GL_QUADS);
    point(-m_height, top, 0.0f);
    point(before, top, 0.0f);
    point(after, bottom, 0.0f);
    point(-m_height, bottom, 0.0f);
    glEnd();

    // A width of 0 is allowed by the controls but not by GL: such a line is left out.
    const float width = present ? state.activeThreadSize : state.inactiveThreadSize;
    if (width <= 0.0f)
        return;
    if (width != m_lineWidth) {
        glLineWidth(width);
        m_lineWidth = width;
    }
    glColor4f(red, green, blue, 1.0f);
    glBegin(GL_LINES);
    point(before, top, 0.0f);
    point(after, bottom, 0.0f);
    glEnd();
}

// The flipped chart marks the reading position with a vertical line across the values.
void IncreasingChart::drawReadingLine(const ThreadModel &model, const ViewState &state) const
{
    if (!state.hasTextView)
        return;
    const float fraction = ViewInteraction::readingFraction(state.scrollValue, state.scrollMaximum);
    const float x = -(0.5f - fraction) * model.graphHeight;
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex3f(x, 0.0f, 1.0f);
    glVertex3f(x, 1.0f, 1.0f);
    glEnd();
}

// The pinned character's line once more over the whole chart, opaque and thicker than any
// other, with a dark edge.
void IncreasingChart::drawPinnedLine(const ThreadModel &model, const ViewState &state)
{
    const int pinned = state.selectedIndex;
    if (pinned < 0 || pinned >= static_cast<int>(model.characters().size()))
        return;
    const QColor &color = model.characters()[static_cast<std::size_t>(pinned)]->color;
    const float width = std::max(pinnedMinimumWidth, 2.0f * state.activeThreadSize);
    const std::vector<Scene> &scenes = model.timeIndex()->scenes;
    for (int pass = 0; pass < 2; ++pass) {
        const bool edge = pass == 0;
        if (edge)
            glColor4f(0.0f, 0.0f, 0.0f, 0.7f);
        else
            glColor4f(static_cast<GLfloat>(color.redF()), static_cast<GLfloat>(color.greenF()),
                      static_cast<GLfloat>(color.blueF()), 1.0f);
        glLineWidth(edge ? width + 4.0f : width);
        float total = 0.0f;
        glBegin(GL_LINE_STRIP);
        for (const Scene &scene : scenes) {
            point(total, (0.5f - scene.start) * m_height, 1.0f);
            total += runningTotalStep(scene, pinned);
            point(total, (0.5f - scene.end) * m_height, 1.0f);
        }
        glEnd();
    }
    m_lineWidth = width;
}
