#include <GL/glew.h>

#include "threads/RetainedLayer.h"

namespace {

// The internal format of the bound draw framebuffer's colour buffer, when it is a framebuffer
// object's renderbuffer or texture; 0 otherwise.
GLenum attachedColorFormat()
{
    GLint type = GL_NONE;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    GLint name = 0;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    GLint format = 0;
    if (type == GL_RENDERBUFFER) {
        GLint bound = 0;
        glGetIntegerv(GL_RENDERBUFFER_BINDING, &bound);
        glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(name));
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_INTERNAL_FORMAT, &format);
        glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(bound));
    } else if (type == GL_TEXTURE) {
        GLint samples = 0;
        glGetIntegerv(GL_SAMPLES, &samples);
        const GLenum kind = samples > 0 ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D;
        const GLenum binding =
            samples > 0 ? GL_TEXTURE_BINDING_2D_MULTISAMPLE : GL_TEXTURE_BINDING_2D;
        GLint bound = 0;
        glGetIntegerv(binding, &bound);
        glBindTexture(kind, static_cast<GLuint>(name));
        glGetTexLevelParameteriv(kind, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glBindTexture(kind, static_cast<GLuint>(bound));
    }
    return static_cast<GLenum>(format);
}

} // namespace

RetainedLayer::~RetainedLayer()
{
    release();
}

int RetainedLayer::targetSamples()
{
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    return samples;
}

RetainedLayer::Target RetainedLayer::boundTarget()
{
    Target target;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target.framebuffer);
    target.samples = targetSamples();
    if (target.framebuffer != 0)
        target.colorFormat = attachedColorFormat();
    else if (target.samples == 0)
        target.colorFormat = GL_RGBA8; // a single-sampled copy converts the format
    return target;
}

bool RetainedLayer::fits(const Target &target, int width, int height) const
{
    return m_framebuffer != 0 && width == m_width && height == m_height &&
           target.samples == m_samples && target.colorFormat == m_colorFormat;
}

void RetainedLayer::create(const Target &target, int width, int height)
{
    release();
    m_width = width;
    m_height = height;
    m_samples = target.samples;
    m_colorFormat = target.colorFormat;
    glGenFramebuffers(1, &m_framebuffer);
    glGenRenderbuffers(1, &m_color);
    glGenRenderbuffers(1, &m_depth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_color);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, m_samples, m_colorFormat, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, m_samples, GL_DEPTH24_STENCIL8, width,
                                     height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_color);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              m_depth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target.framebuffer));
    if (!complete)
        release();
}

void RetainedLayer::release()
{
    if (m_framebuffer != 0)
        glDeleteFramebuffers(1, &m_framebuffer);
    if (m_color != 0)
        glDeleteRenderbuffers(1, &m_color);
    if (m_depth != 0)
        glDeleteRenderbuffers(1, &m_depth);
    m_framebuffer = m_color = m_depth = 0;
    m_holdsPicture = false;
}

bool RetainedLayer::beginDrawing(int width, int height)
{
    m_holdsPicture = false;
    m_target = boundTarget();
    if (width <= 0 || height <= 0 || m_target.colorFormat == 0)
        return false;
    if (!fits(m_target, width, height))
        create(m_target, width, height);
    if (m_framebuffer == 0)
        return false;
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void RetainedLayer::endDrawing()
{
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(m_target.framebuffer));
    blitTo(m_target.framebuffer);
    m_holdsPicture = true;
}

bool RetainedLayer::copyToTarget()
{
    const Target target = boundTarget();
    if (!m_holdsPicture || !fits(target, m_width, m_height))
        return false;
    blitTo(target.framebuffer);
    return true;
}

// Copies the picture into `framebuffer`, which is bound for drawing and reading again after.
void RetainedLayer::blitTo(int framebuffer) const
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
    glBlitFramebuffer(0, 0, m_width, m_height, 0, 0, m_width, m_height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
}
