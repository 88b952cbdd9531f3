#pragma once

#include "threads/ThreadPrimitives.h"
#include "threads/ThreadRenderer.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <memory>

// A compatibility-profile context made current on an off-screen surface, drawing into a
// framebuffer object of the given size, samples and attachments, as the thread view's frames
// do. Lives as long as the test that makes it.
class OffscreenTarget
{
public:
    OffscreenTarget(QSize size, int samples,
                    QOpenGLFramebufferObject::Attachment attachment =
                        QOpenGLFramebufferObject::CombinedDepthStencil)
    {
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        m_context.setFormat(format);
        m_context.create();
        m_surface.setFormat(m_context.format());
        m_surface.create();
        m_context.makeCurrent(&m_surface);
        QOpenGLFramebufferObjectFormat framebufferFormat;
        framebufferFormat.setSamples(samples);
        framebufferFormat.setAttachment(attachment);
        m_framebuffer = std::make_unique<QOpenGLFramebufferObject>(size, framebufferFormat);
        m_framebuffer->bind();
        ThreadPrimitives::ensureGlutInitialized();
    }
    ~OffscreenTarget()
    {
        m_context.makeCurrent(&m_surface);
        m_framebuffer.reset();
        m_context.doneCurrent();
    }
    OffscreenTarget(const OffscreenTarget &) = delete;
    OffscreenTarget &operator=(const OffscreenTarget &) = delete;

    bool valid() const { return m_framebuffer->isValid(); }

    // One frame of `renderer` as the view draws it, read back (resolved when multisampled).
    QImage frame(ThreadRenderer &renderer, const ThreadModel &model, const ViewState &state)
    {
        m_framebuffer->bind();
        glViewport(0, 0, m_framebuffer->width(), m_framebuffer->height());
        ThreadRenderer::beginFrame();
        renderer.drawGraph(model, state);
        return m_framebuffer->toImage();
    }

private:
    QOpenGLContext m_context;
    QOffscreenSurface m_surface;
    std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
};
