#include <GL/glew.h>

#include "shaders/GlslSupport.h"

#include <GL/glu.h>

#include <cstdio>
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

void endLine()
{
    std::printf("\n");
    std::fflush(stdout);
}

void printCoreVersion()
{
    if (GLEW_VERSION_2_0)
        std::printf("OpenGL 2.0 (or higher) is available!");
    else if (GLEW_VERSION_1_5)
        std::printf("OpenGL 1.5 core functions are available");
    else if (GLEW_VERSION_1_4)
        std::printf("OpenGL 1.4 core functions are available");
    else if (GLEW_VERSION_1_3)
        std::printf("OpenGL 1.3 core functions are available");
    else if (GLEW_VERSION_1_2)
        std::printf("OpenGL 1.2 core functions are available");
    else
        return;
    endLine();
}

} // namespace

bool initGLExtensions()
{
    if (extensionsReady)
        return true;
    extensionsReady = true;
    const GLenum code = glewInit();
    if (code != GLEW_OK) {
        std::printf("Error:%s", reinterpret_cast<const char *>(glewGetErrorString(code)));
        endLine();
        extensionsReady = false;
        return false;
    }
    std::printf("OpenGL Vendor: %s\n", glString(GL_VENDOR));
    std::printf("OpenGL Renderer: %s\n", glString(GL_RENDERER));
    std::printf("OpenGL Version: %s\n\n", glString(GL_VERSION));
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
    printCoreVersion();

    if (!GLEW_ARB_fragment_shader) {
        std::printf("[WARNING] GL_ARB_fragment_shader extension is not available!\n");
        glslAvailable = false;
    }
    if (!GLEW_ARB_vertex_shader) {
        std::printf("[WARNING] GL_ARB_vertex_shader extension is not available!\n");
        glslAvailable = false;
    }
    if (!GLEW_ARB_shader_objects) {
        std::printf("[WARNING] GL_ARB_shader_objects extension is not available!\n");
        glslAvailable = false;
        std::printf("[FAILED] OpenGL Shading Language is not available...\n\n");
    } else if (glslAvailable) {
        std::printf("[OK] OpenGL Shading Language is available!\n\n");
    } else {
        std::printf("[FAILED] OpenGL Shading Language is not available...\n\n");
    }
    std::fflush(stdout);
    return glslAvailable;
}

int reportGLErrors(const char *file, int line)
{
    int reported = 0;
    for (GLenum code = glGetError(); code != GL_NO_ERROR; code = glGetError()) {
        const GLubyte *text = gluErrorString(code);
        if (text != nullptr)
            std::printf("GL Error #%u(%s) ", code, reinterpret_cast<const char *>(text));
        else
            std::printf("GL Error #%u (no message available)", code);
        std::printf(" in File %s at line: %d", file, line);
        endLine();
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
            std::printf("ERROR: Could not allocate compiler_log buffer\n");
            return "[e03] Out of memory!";
        }
        fetch(handle, length, logBuffer);
        reportGLErrors("glsl", __LINE__);
    }
    return logBuffer != nullptr ? logBuffer : unavailable;
}
