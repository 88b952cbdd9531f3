#include <GL/glew.h>

#include "threads/PinnedThread.h"

#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <QColor>

#include <algorithm>
#include <vector>

namespace {

// The threads' own strands lie within a tenth of their size of the thread's path; the pinned
// line is several pixels wide even where the sizes are small.
constexpr float presentMinimum = 5.0f;
constexpr float absentMinimum = 2.0f;
constexpr float edgeWidth = 2.0f; // the dark edge on either side

// The segments of one kind (present or absent) of the thread's shown stretches.
std::vector<float> segmentVertices(const ThreadModel &model, const Thread &thread, bool present)
{
    const std::vector<ThreadNode> &nodes = model.nodes();
    std::vector<float> vertices;
    for (std::size_t i = 0; i + 1 < thread.nodes.size(); ++i) {
        const ThreadNode &from = nodes[thread.nodes[i]];
        const ThreadNode &to = nodes[thread.nodes[i + 1]];
        if (from.presence <= 0.0f || to.presence <= 0.0f || (from.presence > 0.75f) != present)
            continue;
        vertices.insert(vertices.end(), {from.position.x, from.position.y, from.position.z,
                                         to.position.x, to.position.y, to.position.z});
    }
    return vertices;
}

void drawSegments(const std::vector<float> &vertices, float width)
{
    if (vertices.empty())
        return;
    glLineWidth(width);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(vertices.size() / 3));
}

// Twice the size of a thread's strands, in pixels, where the character is present or absent.
float pinnedThreadWidth(const ViewState &state, bool present)
{
    return present ? std::max(presentMinimum, 2.0f * state.activeThreadSize)
                   : std::max(absentMinimum, 2.0f * state.inactiveThreadSize);
}

} // namespace

void drawPinnedThread(const ThreadModel &model, const ViewState &state)
{
    const int pinned = state.selectedIndex;
    if (pinned < 0 || pinned >= static_cast<int>(model.threads().size()))
        return;
    const Thread &thread = model.threads()[static_cast<std::size_t>(pinned)];
    const QColor color = thread.character ? thread.character->color : QColor(Qt::black);
    const std::vector<float> present = segmentVertices(model, thread, true);
    const std::vector<float> absent = segmentVertices(model, thread, false);

    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glColor4f(0.0f, 0.0f, 0.0f, 0.7f);
    drawSegments(present, pinnedThreadWidth(state, true) + 2.0f * edgeWidth);
    drawSegments(absent, pinnedThreadWidth(state, false) + 2.0f * edgeWidth);
    glColor4f(color.redF(), color.greenF(), color.blueF(), 1.0f);
    drawSegments(present, pinnedThreadWidth(state, true));
    drawSegments(absent, pinnedThreadWidth(state, false));
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopAttrib();
}
