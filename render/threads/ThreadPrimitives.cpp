#include <GL/glew.h>

#include "threads/ThreadPrimitives.h"

#include "scenes/TimeIndexVector.h"
#include "support/Diagnostics.h"
#include "support/Random15.h"
#include "threads/StrandBuffer.h"
#include "threads/StrokeFontText.h"
#include "threads/ThreadModel.h"
#include "threads/ViewInteraction.h"
#include "threads/ViewState.h"

#include <GL/freeglut.h>

#include <QByteArray>
#include <QColor>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace ThreadPrimitives {

namespace {

constexpr int strandCount = 2000;

void setColor(const QColor *color, float alpha)
{
    if (color != nullptr)
        glColor4f(color->redF(), color->greenF(), color->blueF(), alpha);
    else
        glColor4f(0.0f, 0.0f, 0.0f, alpha);
}

void vertex(const Vec3 &v)
{
    glVertex3f(v.x, v.y, v.z);
}

// One strand through the visible stretches of a thread, offset radially by a random
// amount in a fixed direction. A vertex is emitted for node i only when nodes i and i + 1
// are both visible; the final node of the thread closes the last stretch.
void addStrandVertices(StrandBuffer &buffer, const ThreadModel &model, const Thread &thread,
                       const GLfloat *rgb, const ViewState &state)
{
    const std::vector<ThreadNode> &nodes = model.nodes();
    const float angle = static_cast<float>(Random15::draw15()) * 6.283f / Random15::maximum15;
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    const int n = static_cast<int>(thread.nodes.size());
    buffer.beginStrip();
    bool open = true;
    for (int i = 0; i + 1 < n; ++i) {
        const ThreadNode &r = nodes[thread.nodes[i]];
        const ThreadNode &s = nodes[thread.nodes[i + 1]];
        if (r.presence > 0.0f && s.presence > 0.0f) {
            if (!open) {
                buffer.beginStrip();
                open = true;
            }
            const float width =
                r.presence > 0.75f ? state.activeThreadSize : state.inactiveThreadSize;
            const float radius =
                static_cast<float>(Random15::draw15()) * (width * 0.1f) / Random15::maximum15;
            const Vec3 offset{cosine * radius, 0.0f, sine * radius};
            buffer.add(r.position + offset, rgb, state.threadTransparency * r.presence);
            if (i + 2 == n)
                buffer.add(s.position + offset, rgb, state.threadTransparency * s.presence);
        } else if (open) {
            buffer.endStrip();
            open = false;
        }
    }
    if (open)
        buffer.endStrip();
}

void drawStrands(StrandBuffer &buffer)
{
    buffer.collectSegments();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glLineWidth(1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, buffer.vertices.data());
    glColorPointer(4, GL_FLOAT, 0, buffer.colors.data());
    // Separate segments rather than the multi-draw entry point of the extension loader, which
    // drew nothing in an off-screen context (without any GL error); a strip of 1-pixel lines
    // and its segments cover the same pixels.
    glDrawElements(GL_LINES, static_cast<GLsizei>(buffer.segments.size()), GL_UNSIGNED_INT,
                   buffer.segments.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

} // namespace

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

void drawSceneBands(const ThreadModel &model)
{
    if (model.timeIndex() == nullptr)
        return;
    const float height = model.graphHeight;
    const std::vector<Scene> &scenes = model.timeIndex()->scenes;
    glBegin(GL_QUADS);
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const float grey = i % 2 == 0 ? 0.8f : 0.9f;
        const float a = (0.5f - scenes[i].start) * height;
        const float b = (0.5f - scenes[i].end) * height;
        glColor3f(grey, grey, grey);
        glVertex3f(-1000.0f, a, 0.0f);
        glVertex3f(1000.0f, a, 0.0f);
        glVertex3f(1000.0f, b, 0.0f);
        glVertex3f(-1000.0f, b, 0.0f);
    }
    glEnd();
}

void drawNodeSpheres(const ThreadModel &model)
{
    if (!ensureGlutInitialized())
        return;
    for (const ThreadNode &node : model.nodes()) {
        if (node.presence <= 0.0f)
            continue;
        setColor(node.color, 1.0f);
        glPushMatrix();
        glTranslatef(node.position.x, node.position.y, node.position.z);
        glutSolidSphere(node.presence * 0.1, 16, 16);
        glPopMatrix();
    }
}

void drawSceneLinks(const ThreadModel &model)
{
    const std::vector<ThreadNode> &nodes = model.nodes();
    glDisable(GL_LIGHTING);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    for (const Spring &spring : model.springs()) {
        const ThreadNode &first = nodes[spring.first];
        if (!spring.sceneLink || first.presence <= 0.75f)
            continue;
        const ThreadNode &second = nodes[spring.second];
        const Vec3 middle = (first.position + second.position) * 0.5f;
        setColor(first.color, 1.0f);
        vertex(first.position);
        vertex(middle);
        setColor(second.color, 1.0f);
        vertex(middle);
        vertex(second.position);
    }
    glEnd();
    glEnable(GL_LIGHTING);
}

// The strands go into one buffer and are drawn together: the same line strips, in the
// same order and with the same state, as drawing them one by one.
void drawThreadFibres(const ThreadModel &model, const ViewState &state, StrandBuffer &buffer)
{
    Random15::seed(1);
    const std::vector<Thread> &threads = model.threads();
    if (threads.empty())
        return;
    const int threadCount = static_cast<int>(threads.size());
    buffer.clear();
    for (const Thread &thread : threads) {
        const QColor color = thread.character ? thread.character->color : QColor(Qt::black);
        buffer.threadColors.insert(buffer.threadColors.end(),
                                   {static_cast<GLfloat>(color.redF()),
                                    static_cast<GLfloat>(color.greenF()),
                                    static_cast<GLfloat>(color.blueF())});
    }
    for (int strand = 0; strand < strandCount; ++strand) {
        const int pick = Random15::draw15() % threadCount;
        addStrandVertices(buffer, model, threads[pick], &buffer.threadColors[pick * 3], state);
    }
    drawStrands(buffer);
    if (state.drawNames) {
        for (int i = 0; i < threadCount; ++i)
            drawThreadLabel(model, i, i % 2 == 0 ? -0.5f : 0.5f, -state.rotation[0]);
    }
}

void drawThreadLabel(const ThreadModel &model, int threadIndex, float xOffset, float angle)
{
    const Thread &thread = model.threads().at(threadIndex);
    if (!thread.character || !ensureGlutInitialized())
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
        if (shadow)
            glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
        else
            setColor(&thread.character->color, 1.0f);
        for (std::size_t k = 0; k < anchors.size(); ++k) {
            const Vec3 &at = model.nodes()[thread.nodes[anchors[k]]].position;
            drawStrokeText(at.x + xOffset + shift, at.y + shift, at.z, angle, 1.05f,
                           strokeFontText(words.at(static_cast<int>(k))));
        }
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

void drawStrokeText(float x, float y, float z, float angle, float s, const QByteArray &text)
{
    if (!ensureGlutInitialized())
        return;
    glPushMatrix();
    glScalef(s, s, 1.0f);
    glTranslatef(x, y, z);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glScalef(1.0f / s, 1.0f / s, 1.0f);
    glScalef(0.003f, 0.003f, 1.0f);
    for (const char c : text)
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, static_cast<unsigned char>(c));
    glPopMatrix();
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
    glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
    glBegin(GL_LINES);
    for (int i = 0; i <= 10; ++i) {
        const float c = static_cast<float>(i) / 10.0f * 2.0f - 1.0f;
        glVertex3f(c, 0.0f, -1.0f);
        glVertex3f(c, 0.0f, 1.0f);
        glVertex3f(-1.0f, 0.0f, c);
        glVertex3f(1.0f, 0.0f, c);
    }
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
}

} // namespace ThreadPrimitives
