#pragma once

#include <vector>

class glShaderObject;

// A GLSL program: shader objects attached in order and linked together.
class glShader
{
public:
    glShader();
    virtual ~glShader();
    glShader(const glShader &) = delete;
    glShader &operator=(const glShader &) = delete;

    // Compiles an uncompiled object first; an object that fails to compile is not added.
    void addObject(glShaderObject *object);
    bool link();
    // The driver's linker log, or one of the "[eNN]" texts when there is none.
    const char *linkerLog();
    void use();
    void unuse();

    unsigned int handle = 0;
    char *logBuffer = nullptr; // malloc'ed
    bool linked = false;
    std::vector<glShaderObject *> objects;
    // Set once the program has taken over its objects; it then deletes them.
    bool ownsObjects = false;

private:
    void detachObjects();
    bool m_attached = false;
};
