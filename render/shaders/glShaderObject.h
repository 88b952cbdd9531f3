#pragma once

// One GLSL shader object compiled from source text in memory. All operations need the GL
// context current on the calling thread and do nothing useful when GLSL is unavailable.
class glShaderObject
{
public:
    glShaderObject() = default;
    virtual ~glShaderObject();
    glShaderObject(const glShaderObject &) = delete;
    glShaderObject &operator=(const glShaderObject &) = delete;

    // Keeps the caller's pointer: the text must outlive compile().
    void setSource(const char *text);
    bool compile();
    // The driver's compiler log, or one of the "[eNN]" texts when there is none.
    const char *compilerLog();

    int kind = 0; // 1 vertex, 2 fragment
    unsigned int handle = 0;
    const char *source = nullptr;
    char *logBuffer = nullptr; // malloc'ed
    bool compiled = false;
    bool ownsSource = false;
};

class aVertexShader : public glShaderObject
{
public:
    aVertexShader();
};

class aFragmentShader : public glShaderObject
{
public:
    aFragmentShader();
};
