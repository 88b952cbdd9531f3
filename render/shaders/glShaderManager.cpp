#include "shaders/glShaderManager.h"

#include "shaders/GlslSupport.h"
#include "shaders/glShader.h"
#include "shaders/glShaderObject.h"

#include "support/Diagnostics.h"

namespace {

// Compiles one stage of a program being created; prints its log either way.
bool compileStage(glShaderObject &object, const char *source, const char *stageName)
{
    if (source == nullptr)
        return true;
    if (!object.compile()) {
        Diagnostics::print("***COMPILER ERROR (%s):\n%s\n", stageName, object.compilerLog());
        return false;
    }
    Diagnostics::print("***GLSL Compiler Log (%s):\n%s\n", stageName, object.compilerLog());
    return true;
}

} // namespace

glShaderManager::glShaderManager()
{
    initGLExtensions();
}

glShaderManager::~glShaderManager()
{
    programs.clear();
}

glShader *glShaderManager::createProgram(const char *vertexSource, const char *fragmentSource)
{
    auto *program = new glShader();
    auto *vertex = new aVertexShader();
    auto *fragment = new aFragmentShader();
    vertex->setSource(vertexSource);
    fragment->setSource(fragmentSource);

    const auto discard = [&]() -> glShader * {
        delete program;
        delete vertex;
        delete fragment;
        return nullptr;
    };
    if (!compileStage(*vertex, vertexSource, "Vertex Shader"))
        return discard();
    if (!compileStage(*fragment, fragmentSource, "Fragment Shader"))
        return discard();

    if (vertexSource != nullptr)
        program->addObject(vertex);
    if (fragmentSource != nullptr)
        program->addObject(fragment);

    if (!program->link()) {
        Diagnostics::print("**LINKER ERROR\n%s\n", program->linkerLog());
        return discard();
    }
    Diagnostics::print("***GLSL Linker Log:\n%s\n", program->linkerLog());
    programs.push_back(program);
    program->ownsObjects = true;
    // Objects not given a source were never added; the program does not own those.
    if (vertexSource == nullptr)
        delete vertex;
    if (fragmentSource == nullptr)
        delete fragment;
    return program;
}
