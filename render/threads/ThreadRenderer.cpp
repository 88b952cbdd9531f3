#include <GL/glew.h>

#include "threads/ThreadRenderer.h"

#include "shaders/WeaveShaderSources.h"
#include "shaders/glShader.h"
#include "shaders/glShaderManager.h"
#include "threads/PinnedThread.h"
#include "threads/ThreadModel.h"
#include "threads/ThreadPrimitives.h"
#include "threads/ViewState.h"
#include "threads/ViewTransform.h"

#include <QImage>
#include <QMatrix4x4>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

// The projection, and the model-view every mode starts from.
void loadMatrices(const QMatrix4x4 &projection, const QMatrix4x4 &modelView)
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.constData());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(modelView.constData());
}

void setViewport(const ViewState &state)
{
    glViewport(0, 0, state.viewportWidth, state.viewportHeight);
}

} // namespace

ThreadRenderer::ThreadRenderer()
    : m_shaderManager(std::make_unique<glShaderManager>())
{
}

ThreadRenderer::~ThreadRenderer() = default;

bool ThreadRenderer::ensureWeaveProgram()
{
    if (m_weaveProgram == nullptr)
        m_weaveProgram = m_shaderManager->createProgram(weaveVertexSource, weaveFragmentSource);
    return m_weaveProgram != nullptr;
}

void ThreadRenderer::beginFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

bool ThreadRenderer::PictureKey::operator==(const PictureKey &other) const
{
    return std::tie(stamp, view, clearColor, samples, weaveProgram) ==
           std::tie(other.stamp, other.view, other.clearColor, other.samples, other.weaveProgram);
}

ThreadRenderer::PictureKey ThreadRenderer::pictureKey(const ThreadModel &model,
                                                      const ViewState &state) const
{
    PictureKey key;
    key.stamp = LayoutStamp::of(model);
    key.view = state;
    // The reading marks are drawn over the picture, and the turn's target only moves the
    // rotation, which is in the key.
    key.view.drawGrid = false;
    key.view.hasTextView = false;
    key.view.scrollValue = 0;
    key.view.scrollMaximum = 0;
    std::fill(std::begin(key.view.targetRotation), std::end(key.view.targetRotation), 0.0f);
    key.view.spinSpeed = 0.0f;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, key.clearColor.data());
    key.samples = RetainedLayer::targetSamples();
    key.weaveProgram = m_weaveProgram != nullptr;
    return key;
}

// A frame whose picture would be the one drawn last copies it instead, and draws only the
// reading marks afresh.
void ThreadRenderer::drawGraph(const ThreadModel &model, const ViewState &state)
{
    const PictureKey key = pictureKey(model, state);
    const bool copied = m_pictureKey && *m_pictureKey == key && m_picture.copyToTarget();
    if (!copied) {
        // While the picture changes from frame to frame (the view turns, the layout
        // settles) keeping it would only cost a copy; it is kept again once it stands.
        const bool changing = m_lastRedrawnKey && !(*m_lastRedrawnKey == key);
        const bool retained =
            !changing && m_picture.beginDrawing(state.viewportWidth, state.viewportHeight);
        drawPicture(model, state);
        if (retained) {
            m_picture.endDrawing();
            m_pictureKey = key;
        } else {
            m_pictureKey.reset();
        }
        m_lastRedrawnKey = key;
    } else {
        m_lastRedrawnKey.reset();
    }
    drawReadingMarks(model, state);
}

void ThreadRenderer::drawPicture(const ThreadModel &model, const ViewState &state)
{
    switch (state.drawMode) {
    case ViewState::ColorWeaving:
        drawColorWeaving(model, state);
        break;
    case ViewState::ConvergenceGraph:
        drawConvergenceGraph(model, state);
        break;
    case ViewState::IncreasingGraph:
        m_increasingChart.draw(model, state);
        break;
    default:
        drawForceDirected(model, state);
        break;
    }
}

// The grid stands in the graph as the threads do: panned, zoomed and turned.
void ThreadRenderer::drawReadingMarks(const ThreadModel &model, const ViewState &state)
{
    if (!state.drawGrid)
        return;
    switch (state.drawMode) {
    case ViewState::ColorWeaving:
        break;
    case ViewState::IncreasingGraph:
        m_increasingChart.drawReadingMarks(model, state);
        break;
    default: // Force Directed and Convergence Graph
        setViewport(state);
        loadMatrices(ViewTransform::graphProjection(model.graphHeight),
                     ViewTransform::threadModelView(state));
        ThreadPrimitives::drawReadingGrid(model, state);
        break;
    }
}

// The clear colour is set here only, so the other modes keep whatever was set last.
void ThreadRenderer::drawForceDirected(const ThreadModel &model, const ViewState &state)
{
    // Panned and zoomed on the screen, bands and threads alike; the threads then turn.
    loadMatrices(ViewTransform::graphProjection(model.graphHeight),
                 ViewTransform::panAndZoom(state));
    glClearColor(0.9f, 0.9f, 0.9f, 0.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_COLOR_MATERIAL);

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    m_threads.drawSceneBands(model);
    glEnable(GL_LIGHTING);

    glMultMatrixf(ViewTransform::rotation(state).constData());
    if (state.spheres)
        m_threads.drawNodeSpheres(model);
    if (state.springs)
        m_threads.drawSceneLinks(model);
    m_threads.drawThreadFibres(model, state);
    drawPinnedThread(model, state);
}

void ThreadRenderer::drawConvergenceGraph(const ThreadModel &model, const ViewState &state)
{
    setViewport(state);
    loadMatrices(ViewTransform::graphProjection(model.graphHeight),
                 ViewTransform::panAndZoom(state));
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    m_threads.drawSceneBands(model);

    glEnable(GL_LIGHTING);
    glLoadMatrixf(ViewTransform::threadModelView(state).constData());

    glDisable(GL_LIGHTING);
    m_threads.drawThreadFibres(model, state);
    drawPinnedThread(model, state);
}

// Each band shows, pixel by pixel, the colour of one character present in its scene picked
// at random by the weave program; an empty scene is black.
void ThreadRenderer::drawColorWeaving(const ThreadModel &model, const ViewState &state)
{
    setViewport(state);
    loadMatrices(ViewTransform::graphProjection(model.graphHeight),
                 ViewTransform::panAndZoom(state));
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    if (m_weaveProgram != nullptr)
        m_weaveProgram->use();
    m_weave.draw(model);
    if (m_weaveProgram != nullptr)
        m_weaveProgram->unuse();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

void ThreadRenderer::setStrandsOnProcessor(bool onProcessor)
{
    m_threads.setStrandsOnProcessor(onProcessor);
    m_pictureKey.reset();
}

int ThreadRenderer::captureDimension(int x)
{
    if (x <= 0)
        return 0;
    const float logarithm = std::log(static_cast<float>(x));
    return static_cast<int>(std::pow(2.0, std::ceil(logarithm / std::log(2.0))));
}

QImage ThreadRenderer::captureFrame(int width, int height, unsigned int readBuffer)
{
    const int readWidth = captureDimension(width);
    const int readHeight = captureDimension(height);
    if (readWidth == 0 || readHeight == 0)
        return QImage();
    std::vector<uchar> pixels(static_cast<std::size_t>(readWidth) * readHeight * 3);
    // Rows of three-byte pixels are packed tightly, whatever the width; the default
    // alignment of 4 would overrun the buffer for widths of 1 or 2.
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(readBuffer);
    glReadPixels(0, 0, readWidth, readHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    const QImage wrapped(pixels.data(), readWidth, readHeight, readWidth * 3,
                         QImage::Format_RGB888);
    // GL rows run bottom-up; copy() detaches from the buffer before it goes away.
    return wrapped.copy(0, 0, width, height).mirrored(false, true);
}
