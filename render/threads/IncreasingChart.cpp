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
#include <tuple>
#include <vector>

namespace {

// Primitives per depth range for the bound framebuffer's depth buffer: neighbours in a range
// lie about 230 depth units apart, far more than rounding can blur. Without a usable depth
// buffer every primitive gets a range of its own, which is drawing them one by one.
int primitivesPerRange()
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depthBits < 16)
        return 1;
    return (1 << std::min(depthBits, 24)) >> 8;
}

// The depth state the chart uses for its order, put back afterwards; the depth test itself
// is left off, so the chart and the reading marks drawn over it look the same whichever mode
// was drawn before.
class DepthOrdering
{
public:
    DepthOrdering()
    {
        glGetIntegerv(GL_DEPTH_FUNC, &m_function);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &m_writes);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
    }
    ~DepthOrdering()
    {
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(static_cast<GLenum>(m_function));
        glDepthMask(m_writes);
    }
    DepthOrdering(const DepthOrdering &) = delete;
    DepthOrdering &operator=(const DepthOrdering &) = delete;

private:
    GLint m_function = GL_LESS;
    GLboolean m_writes = GL_TRUE;
};

// A range holds only lines of a positive width, which GL accepts.
void drawLines(const GlVertexBuffer &lines, const IncreasingChartGeometry::Range &range,
               float width)
{
    if (range.count == 0)
        return;
    glLineWidth(width);
    lines.draw(GL_LINES, range.first, range.count);
}

} // namespace

bool IncreasingChart::Key::operator==(const Key &other) const
{
    return std::tie(stamp, flipAxis, activeThreadSize, inactiveThreadSize, threadTransparency,
                    primitivesPerRange) ==
           std::tie(other.stamp, other.flipAxis, other.activeThreadSize, other.inactiveThreadSize,
                    other.threadTransparency, other.primitivesPerRange);
}

void IncreasingChart::update(const ThreadModel &model, const ViewState &state)
{
    const Key key{LayoutStamp::of(model),   state.flipAxis,           state.activeThreadSize,
                  state.inactiveThreadSize, state.threadTransparency, primitivesPerRange()};
    if (m_key && *m_key == key)
        return;
    const IncreasingChartGeometry chart =
        IncreasingChartGeometry::build(model, state, key.primitivesPerRange);
    m_quads.upload(chart.quads);
    m_activeLines.upload(chart.activeLines);
    m_inactiveLines.upload(chart.inactiveLines);
    m_chunks = chart.chunks;
    m_key = key;
}

void IncreasingChart::setProjection(const ThreadModel &model, const ViewState &state)
{
    const float height = model.graphHeight;
    glViewport(0, 0, state.viewportWidth, state.viewportHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(ViewTransform::increasingProjection(height, state.flipAxis).constData());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(ViewTransform::increasingModelView(state, height).constData());
}

void IncreasingChart::draw(const ThreadModel &model, const ViewState &state)
{
    setProjection(model, state);
    update(model, state);
    glDisable(GL_LIGHTING);
    // Only the fills are translucent, but an opaque colour (alpha 1) blends to itself, so
    // blending stays on for the whole chart.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawChunks(state);
    drawPinnedLine(model, state);
    glDisable(GL_BLEND);
    glLineWidth(1.0f);
}

void IncreasingChart::drawReadingMarks(const ThreadModel &model, const ViewState &state) const
{
    if (!state.drawGrid)
        return;
    setProjection(model, state);
    if (state.flipAxis)
        drawReadingLine(model, state);
    else
        ThreadPrimitives::drawReadingGrid(model, state);
}

void IncreasingChart::drawChunks(const ViewState &state) const
{
    const DepthOrdering ordering;
    for (const IncreasingChartGeometry::Chunk &chunk : m_chunks) {
        glDepthMask(GL_TRUE);
        glClear(GL_DEPTH_BUFFER_BIT);
        drawLines(m_activeLines, chunk.activeLines, state.activeThreadSize);
        drawLines(m_inactiveLines, chunk.inactiveLines, state.inactiveThreadSize);
        glDepthMask(GL_FALSE);
        m_quads.draw(GL_QUADS, chunk.quads.first, chunk.quads.count);
    }
}

// The flipped chart marks the reading position with a vertical line across the values.
void IncreasingChart::drawReadingLine(const ThreadModel &model, const ViewState &state) const
{
    if (!state.hasTextView)
        return;
    const float fraction = ViewInteraction::readingFraction(state.scrollValue, state.scrollMaximum);
    const float x = -(0.5f - fraction) * model.graphHeight;
    const float line[6] = {x, 0.0f, 1.0f, x, 1.0f, 1.0f};
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, line);
    glDrawArrays(GL_LINES, 0, 2);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// The pinned character's line once more over the whole chart, opaque and thicker than any
// other, with a dark edge.
void IncreasingChart::drawPinnedLine(const ThreadModel &model, const ViewState &state) const
{
    const int pinned = state.selectedIndex;
    if (pinned < 0 || pinned >= static_cast<int>(model.characters().size()) ||
        model.timeIndex() == nullptr)
        return;
    const float height = model.graphHeight;
    std::vector<float> strip;
    const auto add = [&strip, &state](float value, float time) {
        if (state.flipAxis)
            strip.insert(strip.end(), {-time, value, 9.5f});
        else
            strip.insert(strip.end(), {value, time, 9.5f});
    };
    float total = 0.0f;
    for (const Scene &scene : model.timeIndex()->scenes) {
        add(total, (0.5f - scene.start) * height);
        total += runningTotalStep(scene, pinned);
        add(total, (0.5f - scene.end) * height);
    }
    const QColor &color = model.characters()[static_cast<std::size_t>(pinned)]->color;
    const float width = std::max(pinnedMinimumWidth, 2.0f * state.activeThreadSize);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, strip.data());
    const GLsizei count = static_cast<GLsizei>(strip.size() / 3);
    glColor4f(0.0f, 0.0f, 0.0f, 0.7f);
    glLineWidth(width + 4.0f);
    glDrawArrays(GL_LINE_STRIP, 0, count);
    glColor4f(static_cast<GLfloat>(color.redF()), static_cast<GLfloat>(color.greenF()),
              static_cast<GLfloat>(color.blueF()), 1.0f);
    glLineWidth(width);
    glDrawArrays(GL_LINE_STRIP, 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
}
