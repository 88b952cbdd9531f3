#include <GL/glew.h>

#include "shaders/glShaderObject.h"

#include "shaders/GlslSupport.h"

#include <cstdlib>
#include <cstring>

using GlslSupport::glslAvailable;

glShaderObject::~glShaderObject()
{
    std::free(logBuffer);
    if (ownsSource)
        delete[] source;
    // A failed compile still leaves a GL object behind; release it as well.
    if (glslAvailable && handle != 0) {
        glDeleteObjectARB(handle);
        reportGLErrors("glsl", __LINE__);
    }
}

void glShaderObject::setSource(const char *text)
{
    if (text == nullptr)
        return;
    if (ownsSource)
        delete[] source;
    ownsSource = false;
    source = text;
}

bool glShaderObject::compile()
{
    if (!glslAvailable)
        return false;
    compiled = false;
    if (source == nullptr)
        return false;
    const GLint length = static_cast<GLint>(std::strlen(source));
    glShaderSourceARB(handle, 1, &source, &length);
    reportGLErrors("glsl", __LINE__);
    glCompileShaderARB(handle);
    reportGLErrors("glsl", __LINE__);
    GLint status = 0;
    glGetObjectParameterivARB(handle, GL_OBJECT_COMPILE_STATUS_ARB, &status);
    reportGLErrors("glsl", __LINE__);
    compiled = status != 0;
    return compiled;
}

const char *glShaderObject::compilerLog()
{
    if (!glslAvailable)
        return "[e00] GLSL is not available!";
    if (handle == 0)
        return "[e01] Not a valid program object!";
    GLint length = 0;
    glGetShaderiv(handle, GL_INFO_LOG_LENGTH, &length);
    reportGLErrors("glsl", __LINE__);
    return takeInfoLog(
        logBuffer, handle, length,
        [](unsigned shader, int size, char *buffer) {
            GLsizei written = 0;
            glGetInfoLogARB(shader, size, &written, buffer);
        },
        "[e06] Compiler log is not available!");
}

aVertexShader::aVertexShader()
{
    initGLExtensions();
    kind = 1;
    if (glslAvailable) {
        handle = glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);
        reportGLErrors("glsl", __LINE__);
    }
}

aFragmentShader::aFragmentShader()
{
    initGLExtensions();
    kind = 2;
    if (glslAvailable) {
        handle = glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);
        reportGLErrors("glsl", __LINE__);
    }
}
