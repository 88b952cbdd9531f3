#include "view/OffscreenImage.h"

#include "scenes/TimeIndexVector.h"

#include "view/ImageFile.h"
#include "view/ThreadModel.h"
#include "view/ThreadPrimitives.h"
#include "view/ThreadRenderer.h"
#include "view/ViewState.h"

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

// Draws into the bound framebuffer with the context current; returns the last frame.
bool drawFrames(const TimeIndexVector &index, int numberSteps, int frames, int drawMode, int width,
                int height, QImage *image, QString *error)
{
    ThreadRenderer renderer;
    if (!renderer.ensureWeaveProgram())
        return fail(error, QStringLiteral("shader load error"));
    ThreadPrimitives::ensureGlutInitialized();

    ThreadModel model;
    if (index.characters.size() > static_cast<size_t>(ThreadModel::maximumCharacters))
        return fail(error, QStringLiteral("%1 characters are more than the thread view draws (%2)")
                               .arg(index.characters.size())
                               .arg(ThreadModel::maximumCharacters));
    if (!model.buildThreads(&index, 1.0f / static_cast<float>(numberSteps)))
        return fail(error, QStringLiteral("the screenplay has no scenes to draw"));

    ViewState state = defaultViewState(drawMode, width, height);
    glViewport(0, 0, width, height);
    // A window has drawn many frames before anyone saves it; start with the colour the
    // graph clears with rather than the GL default.
    glClearColor(0.9f, 0.9f, 0.9f, 0.0f);
    for (int frame = 0; frame < std::max(frames, 1); ++frame) {
        ThreadRenderer::beginFrame();
        renderer.drawGraph(model, state);
        glFlush();
    }
    *image = ThreadRenderer::captureFrame(width, height, GL_COLOR_ATTACHMENT0);
    return true;
}

} // namespace

bool renderThreadImage(const TimeIndexVector &index, int numberSteps, int frames, int width,
                       int height, const QString &path, QString *error, int drawMode)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return fail(error, QStringLiteral("drawing an image needs a GUI application object"));
    if (width <= 0 || height <= 0)
        return fail(error, QStringLiteral("the image size must be positive"));

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return fail(error, QStringLiteral("no OpenGL context is available (no display?)"));
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return fail(error, QStringLiteral("no off-screen OpenGL surface is available"));

    QImage image;
    bool drawn = false;
    {
        QOpenGLFramebufferObject framebuffer(width, height,
                                             QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!framebuffer.isValid() || !framebuffer.bind()) {
            context.doneCurrent();
            return fail(error, QStringLiteral("no off-screen framebuffer of that size"));
        }
        drawn = drawFrames(index, numberSteps, frames, drawMode, width, height, &image, error);
        framebuffer.release();
    }
    context.doneCurrent();
    if (!drawn)
        return false;
    QString why;
    if (!saveImageFile(image, path, &why))
        return fail(error, why);
    return true;
}
