#include <GL/glew.h>

#include "threads/ThreadDrawing.h"

#include "threads/StrokeFontText.h"
#include "threads/ThreadGeometry.h"
#include "threads/ThreadModel.h"
#include "threads/ThreadPrimitives.h"
#include "threads/ViewState.h"

#include <QByteArray>
#include <QColor>

#include <tuple>

bool ThreadDrawing::StrandKey::operator==(const StrandKey &other) const
{
    return std::tie(stamp, activeThreadSize, inactiveThreadSize, threadTransparency) ==
           std::tie(other.stamp, other.activeThreadSize, other.inactiveThreadSize,
                    other.threadTransparency);
}

ThreadDrawing::StrandKey ThreadDrawing::strandKey(const ThreadModel &model, const ViewState &state)
{
    return {LayoutStamp::of(model), state.activeThreadSize, state.inactiveThreadSize,
            state.threadTransparency};
}

void ThreadDrawing::drawSceneBands(const ThreadModel &model)
{
    m_bands.get(LayoutStamp::of(model), [&] { return ThreadGeometry::sceneBands(model); })
        .draw(GL_QUADS);
}

void ThreadDrawing::drawNodeSpheres(const ThreadModel &model)
{
    if (!ThreadPrimitives::ensureGlutInitialized())
        return;
    for (const ThreadNode &node : model.nodes()) {
        if (node.presence <= 0.0f)
            continue;
        if (node.color != nullptr)
            glColor4f(node.color->redF(), node.color->greenF(), node.color->blueF(), 1.0f);
        else
            glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        glPushMatrix();
        glTranslatef(node.position.x, node.position.y, node.position.z);
        m_glut.drawSphere(node.presence * 0.1);
        glPopMatrix();
    }
}

void ThreadDrawing::drawSceneLinks(const ThreadModel &model)
{
    glDisable(GL_LIGHTING);
    glLineWidth(2.0f);
    m_links.get(LayoutStamp::of(model), [&] { return ThreadGeometry::sceneLinks(model); })
        .draw(GL_LINES);
    glEnable(GL_LIGHTING);
}

void ThreadDrawing::drawThreadFibres(const ThreadModel &model, const ViewState &state)
{
    if (!m_strandsOnProcessor)
        m_strandsOnProcessor = StrandLayer::softwareRenderer();
    if (*m_strandsOnProcessor)
        drawStrandLayer(model, state);
    else
        drawStrands(model, state);
    if (state.drawNames) {
        const int threadCount = static_cast<int>(model.threads().size());
        for (int i = 0; i < threadCount; ++i)
            drawThreadLabel(model, i, i % 2 == 0 ? -0.5f : 0.5f, -state.rotation[0]);
    }
}

void ThreadDrawing::drawStrands(const ThreadModel &model, const ViewState &state)
{
    const StrandKey key = strandKey(model, state);
    const GlVertexBuffer &strands =
        m_strands.get(key, [&] { return ThreadGeometry::threadStrands(model, state); });
    if (model.threads().empty())
        return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    strands.drawStrips();
    leaveStateAfterStrands();
}

// What follows the strands (the labels, the pinned thread, the reading grid) finds the state
// the lines leave, whichever way they were drawn.
void ThreadDrawing::leaveStateAfterStrands()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(1.0f);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

// The strands through the matrices and viewport GL would draw them with.
void ThreadDrawing::drawStrandLayer(const ThreadModel &model, const ViewState &state)
{
    const StrandKey key = strandKey(model, state);
    if (!m_strandDataKey || !(*m_strandDataKey == key)) {
        m_strandData = ThreadGeometry::threadStrands(model, state);
        m_strandDataKey = key;
    }
    if (model.threads().empty())
        return;
    QMatrix4x4 projection;
    QMatrix4x4 modelView;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    m_strandRaster.draw(
        m_strandData,
        StrandRaster::windowTransform(projection * modelView, viewport[2], viewport[3]),
        viewport[2], viewport[3]);
    m_strandLayer.draw(m_strandRaster);
    leaveStateAfterStrands();
}

void ThreadDrawing::drawThreadLabel(const ThreadModel &model, int threadIndex, float xOffset,
                                    float angle)
{
    const Thread &thread = model.threads().at(threadIndex);
    if (!thread.character || !ThreadPrimitives::ensureGlutInitialized())
        return;
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(2.0f);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    const QStringList &words = thread.character->names;
    const std::vector<int> anchors = thread.labelAnchors(model.nodes(), words);
    for (int pass = 0; pass < 2; ++pass) {
        const bool shadow = pass == 0;
        const float shift = shadow ? -0.03f : 0.0f;
        const QColor &color = thread.character->color;
        if (shadow)
            glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
        else
            glColor4f(color.redF(), color.greenF(), color.blueF(), 1.0f);
        for (std::size_t k = 0; k < anchors.size(); ++k) {
            const Vec3 &at = model.nodes()[thread.nodes[anchors[k]]].position;
            drawStrokeText(at.x + xOffset + shift, at.y + shift, at.z, angle, 1.05f,
                           strokeFontText(words.at(static_cast<int>(k))));
        }
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

void ThreadDrawing::drawStrokeText(float x, float y, float z, float angle, float s,
                                   const QByteArray &text)
{
    glPushMatrix();
    glScalef(s, s, 1.0f);
    glTranslatef(x, y, z);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glScalef(1.0f / s, 1.0f / s, 1.0f);
    glScalef(0.003f, 0.003f, 1.0f);
    m_glut.drawStrokeText(text);
    glPopMatrix();
}
