#include <GL/glew.h>

#include "shaders/GlslSupport.h"

#include "support/Diagnostics.h"

#include <GL/glu.h>

#include <cstdlib>

namespace GlslSupport {
bool glslAvailable = false;
bool extensionsReady = false;
} // namespace GlslSupport

using GlslSupport::extensionsReady;
using GlslSupport::glslAvailable;

namespace {

const char *glString(GLenum name)
{
    const GLubyte *text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char *>(text) : "";
}

// The highest core version GLEW reports; null below 1.2, which gets no line.
const char *coreVersionLine()
{
    if (GLEW_VERSION_2_0)
        return "OpenGL 2.0 (or higher) is available!";
    if (GLEW_VERSION_1_5)
        return "OpenGL 1.5 core functions are available";
    if (GLEW_VERSION_1_4)
        return "OpenGL 1.4 core functions are available";
    if (GLEW_VERSION_1_3)
        return "OpenGL 1.3 core functions are available";
    if (GLEW_VERSION_1_2)
        return "OpenGL 1.2 core functions are available";
    return nullptr;
}

} // namespace

bool initGLExtensions()
{
    if (extensionsReady)
        return true;
    extensionsReady = true;
    const GLenum code = glewInit();
    if (code != GLEW_OK) {
        Diagnostics::print("Error:%s\n", reinterpret_cast<const char *>(glewGetErrorString(code)));
        extensionsReady = false;
        return false;
    }
    Diagnostics::print("OpenGL Vendor: %s\n", glString(GL_VENDOR));
    Diagnostics::print("OpenGL Renderer: %s\n", glString(GL_RENDERER));
    Diagnostics::print("OpenGL Version: %s\n\n", glString(GL_VERSION));
    checkGLSLSupport();
    return true;
}

bool checkGLSLSupport()
{
    if (glslAvailable)
        return true;
    glslAvailable = true;
    if (!extensionsReady)
        initGLExtensions();
    if (const char *version = coreVersionLine())
        Diagnostics::print("%s\n", version);

    if (!GLEW_ARB_fragment_shader) {
        Diagnostics::print("[WARNING] GL_ARB_fragment_shader extension is not available!\n");
        glslAvailable = false;
    }
    if (!GLEW_ARB_vertex_shader) {
        Diagnostics::print("[WARNING] GL_ARB_vertex_shader extension is not available!\n");
        glslAvailable = false;
    }
    if (!GLEW_ARB_shader_objects) {
        Diagnostics::print("[WARNING] GL_ARB_shader_objects extension is not available!\n");
        glslAvailable = false;
        Diagnostics::print("[FAILED] OpenGL Shading Language is not available...\n\n");
    } else if (glslAvailable) {
        Diagnostics::print("[OK] OpenGL Shading Language is available!\n\n");
    } else {
        Diagnostics::print("[FAILED] OpenGL Shading Language is not available...\n\n");
    }
    return glslAvailable;
}

int reportGLErrors(const char *file, int line)
{
    int reported = 0;
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        const GLubyte *text = gluErrorString(code);
        if (text != nullptr)
            Diagnostics::print("GL Error #%u(%s) ", code, reinterpret_cast<const char *>(text));
        else
            Diagnostics::print("GL Error #%u (no message available)", code);
        Diagnostics::print(" in File %s at line: %d\n", file, line);
        reported = 1;
    }
    return reported;
}

const char *takeInfoLog(char *&logBuffer, unsigned handle, int length, InfoLogFetch fetch,
                        const char *unavailable)
{
    if (length > 1) {
        std::free(logBuffer);
        logBuffer = static_cast<char *>(std::malloc(static_cast<std::size_t>(length)));
        if (logBuffer == nullptr) {
            Diagnostics::print("ERROR: Could not allocate compiler_log buffer\n");
            return "[e03] Out of memory!";
        }
        fetch(handle, length, logBuffer);
        reportGLErrors("glsl", __LINE__);
    }
    return logBuffer != nullptr ? logBuffer : unavailable;
}
