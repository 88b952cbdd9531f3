#pragma once

#include <vector>

class glShader;

// Builds GLSL programs from source text. The programs it creates live as long as the
// process: the manager keeps a list of them but never deletes them.
class glShaderManager
{
public:
    glShaderManager();
    virtual ~glShaderManager();
    glShaderManager(const glShaderManager &) = delete;
    glShaderManager &operator=(const glShaderManager &) = delete;

    // Compiles either source that is given and links them; null (after printing the
    // compiler or linker log) on failure.
    glShader *createProgram(const char *vertexSource, const char *fragmentSource);

    std::vector<glShader *> programs;
};
