#include "threads/OffscreenImage.h"

#include "scenes/TimeIndexVector.h"

#include "support/ImageFile.h"
#include "threads/LayoutStepper.h"
#include "threads/ThreadModel.h"
#include "threads/ThreadPrimitives.h"
#include "threads/ThreadRenderer.h"
#include "threads/ViewState.h"

#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <algorithm>
#include <memory>

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error != nullptr)
        *error = reason;
    return false;
}

// The defaults of the main window's controls, as a freshly opened window draws.
ViewState defaultViewState(int drawMode, int width, int height)
{
    ViewState state;
    state.drawMode = drawMode;
    state.moveToPlane = true;
    state.flipAxis = true;
    state.viewportWidth = width;
    state.viewportHeight = height;
    return state;
}

// Lays the threads out and draws them into the bound framebuffer with the context current.
bool drawLayout(ThreadRenderer &renderer, const TimeIndexVector &index, int numberSteps,
                int layoutSteps, int drawMode, int width, int height, QImage *image, QString *error)
{
    ThreadModel model;
    const float step = 1.0f / static_cast<float>(numberSteps);
    const QString tooLarge = ThreadModel::layoutTooLarge(index, step);
    if (!tooLarge.isEmpty())
        return fail(error, tooLarge);
    if (!model.buildThreads(&index, step))
        return fail(error, QStringLiteral("the screenplay has no scenes to draw"));

    const ViewState state = defaultViewState(drawMode, width, height);
    LayoutStepper stepper;
    stepper.setSettings({drawMode, state.selectedIndex, state.moveToPlane, state.drawM});
    stepper.settle(model, layoutSteps == OffscreenRenderer::settledLayout
                              ? LayoutStepper::settleStepLimit
                              : layoutSteps);

    glViewport(0, 0, width, height);
    // A window has drawn many frames before anyone saves it; start with the colour the
    // graph clears with rather than the GL default.
    glClearColor(0.9f, 0.9f, 0.9f, 0.0f);
    ThreadRenderer::beginFrame();
    renderer.drawGraph(model, state);
    // Nothing is gained by letting the driver queue the frame; a software rasteriser keeps
    // the memory of every frame it ever queued for the life of the context, which lasts
    // the whole batch.
    glFinish();
    *image = ThreadRenderer::captureFrame(width, height, GL_COLOR_ATTACHMENT0);
    return true;
}

} // namespace

OffscreenRenderer::OffscreenRenderer() = default;

OffscreenRenderer::~OffscreenRenderer()
{
    // The renderer releases its GL objects in its own context.
    if (m_context && m_context->makeCurrent(m_surface.get())) {
        m_renderer.reset();
        m_framebuffer.reset();
        m_context->doneCurrent();
    }
}

bool OffscreenRenderer::makeCurrent(QString *error)
{
    if (m_context)
        return m_context->makeCurrent(m_surface.get()) ||
               fail(error, QStringLiteral("no off-screen OpenGL surface is available"));
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return fail(error, QStringLiteral("drawing an image needs a GUI application object"));

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(format);
    if (!context->create())
        return fail(error, QStringLiteral("no OpenGL context is available (no display?)"));
    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(context->format());
    surface->create();
    if (!surface->isValid() || !context->makeCurrent(surface.get()))
        return fail(error, QStringLiteral("no off-screen OpenGL surface is available"));
    m_context = std::move(context);
    m_surface = std::move(surface);
    return true;
}

bool OffscreenRenderer::bindFramebuffer(int width, int height)
{
    if (!m_framebuffer || m_framebuffer->size() != QSize(width, height))
        m_framebuffer = std::make_unique<QOpenGLFramebufferObject>(
            width, height, QOpenGLFramebufferObject::CombinedDepthStencil);
    return m_framebuffer->isValid() && m_framebuffer->bind();
}

bool OffscreenRenderer::render(const TimeIndexVector &index, int numberSteps, int layoutSteps,
                               int width, int height, const QString &path, QString *error,
                               int drawMode)
{
    if (width <= 0 || height <= 0)
        return fail(error, QStringLiteral("the image size must be positive"));
    if (!makeCurrent(error))
        return false;
    if (!m_renderer) {
        m_renderer = std::make_unique<ThreadRenderer>();
        ThreadPrimitives::ensureGlutInitialized();
    }
    if (!bindFramebuffer(width, height)) {
        m_framebuffer.reset();
        m_context->doneCurrent();
        return fail(error, QStringLiteral("no off-screen framebuffer of that size"));
    }
    QImage image;
    const bool drawn = m_renderer->ensureWeaveProgram()
                           ? drawLayout(*m_renderer, index, numberSteps, layoutSteps, drawMode,
                                        width, height, &image, error)
                           : fail(error, QStringLiteral("shader load error"));
    m_framebuffer->release();
    m_context->doneCurrent();
    if (!drawn)
        return false;
    QString why;
    if (!saveImageFile(image, path, &why))
        return fail(error, why);
    return true;
}

bool renderThreadImage(const TimeIndexVector &index, int numberSteps, int layoutSteps, int width,
                       int height, const QString &path, QString *error, int drawMode)
{
    OffscreenRenderer renderer;
    return renderer.render(index, numberSteps, layoutSteps, width, height, path, error, drawMode);
}
