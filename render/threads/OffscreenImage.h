#pragma once

#include <QString>

#include <memory>

class QOffscreenSurface;
class QOpenGLFramebufferObject;
class QOpenGLContext;
class ThreadRenderer;
class TimeIndexVector;

// Draws pictures of the thread view without a window. One object keeps its OpenGL context,
// surface and renderer (with the renderer's shader program) for every image it draws, so a
// batch of images builds the program once. Needs a QGuiApplication whose platform can make an
// OpenGL context, for as long as the object lives.
class OffscreenRenderer
{
public:
    OffscreenRenderer();
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer &) = delete;
    OffscreenRenderer &operator=(const OffscreenRenderer &) = delete;

    // `layoutSteps` for the layout as it settles: the steps it takes to come to rest.
    static constexpr int settledLayout = 0;

    // The threads of `index` are laid out with the step 1 / numberSteps, advanced by
    // `layoutSteps` steps of the draw mode's layout (0 "Force Directed", 1 "Color Weaving",
    // 2 "Convergence Graph", 3 "Increasing Graph"; fewer if it settles first), drawn once at
    // width x height pixels and saved to `path` (format by suffix, top row first). The
    // picture depends on nothing but these arguments. False with a reason in `error` when
    // there is no context, nothing to draw, or the file cannot be written.
    bool render(const TimeIndexVector &index, int numberSteps, int layoutSteps, int width,
                int height, const QString &path, QString *error, int drawMode = 0);

private:
    bool makeCurrent(QString *error);
    // Binds a framebuffer of that size, kept for the next image of the same size.
    bool bindFramebuffer(int width, int height);

    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
    std::unique_ptr<ThreadRenderer> m_renderer;
};

// One image with a renderer of its own, as OffscreenRenderer::render.
bool renderThreadImage(const TimeIndexVector &index, int numberSteps, int layoutSteps, int width,
                       int height, const QString &path, QString *error, int drawMode = 0);
