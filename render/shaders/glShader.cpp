#include <GL/glew.h>

#include "shaders/glShader.h"

#include "shaders/GlslSupport.h"
#include "shaders/glShaderObject.h"

#include "support/Diagnostics.h"

#include <cstdlib>

using GlslSupport::glslAvailable;

glShader::glShader()
{
    initGLExtensions();
    if (glslAvailable) {
        handle = glCreateProgram();
        reportGLErrors("glsl", __LINE__);
    } else {
        Diagnostics::print("**ERROR: OpenGL Shading Language is NOT available!\n");
    }
}

glShader::~glShader()
{
    std::free(logBuffer);
    if (!glslAvailable)
        return;
    detachObjects();
    if (ownsObjects) {
        for (glShaderObject *object : objects)
            delete object;
        objects.clear();
    }
    if (handle != 0) {
        glDeleteProgram(handle);
        reportGLErrors("glsl", __LINE__);
    }
}

void glShader::addObject(glShaderObject *object)
{
    if (!glslAvailable || object == nullptr)
        return;
    if (!object->compiled) {
        Diagnostics::print("**warning** please compile program before adding object! trying to "
                           "compile now...\n");
        if (!object->compile()) {
            Diagnostics::print("...compile ERROR!\n");
            return;
        }
        Diagnostics::print("...ok!\n");
    }
    objects.push_back(object);
}

// Only objects that link() attached are detached, so tearing down a program that never
// linked raises no GL error.
void glShader::detachObjects()
{
    if (!m_attached)
        return;
    for (glShaderObject *object : objects) {
        glDetachShader(handle, object->handle);
        reportGLErrors("glsl", __LINE__);
    }
    m_attached = false;
}

bool glShader::link()
{
    if (!glslAvailable)
        return false;
    if (linked) {
        Diagnostics::print("**warning** Object is already linked, trying to link again\n");
        detachObjects();
    }
    for (glShaderObject *object : objects) {
        glAttachShader(handle, object->handle);
        reportGLErrors("glsl", __LINE__);
    }
    m_attached = true;
    glLinkProgram(handle);
    reportGLErrors("glsl", __LINE__);
    GLint status = 0;
    glGetProgramiv(handle, GL_LINK_STATUS, &status);
    reportGLErrors("glsl", __LINE__);
    if (status != 0) {
        linked = true;
        return true;
    }
    Diagnostics::print("**linker error**\n");
    return false;
}

const char *glShader::linkerLog()
{
    if (!glslAvailable)
        return "[e00] GLSL is not available!";
    if (handle == 0)
        return "[e02] Not a valid object!";
    GLint length = 0;
    glGetProgramiv(handle, GL_INFO_LOG_LENGTH, &length);
    reportGLErrors("glsl", __LINE__);
    return takeInfoLog(
        logBuffer, handle, length,
        [](unsigned program, int size, char *buffer) {
            GLsizei written = 0;
            glGetProgramInfoLog(program, size, &written, buffer);
        },
        "[e05] Linker log is not available!");
}

void glShader::use()
{
    if (glslAvailable && handle != 0 && linked) {
        glUseProgram(handle);
        reportGLErrors("glsl", __LINE__);
    }
}

void glShader::unuse()
{
    if (glslAvailable) {
        glUseProgram(0);
        reportGLErrors("glsl", __LINE__);
    }
}
