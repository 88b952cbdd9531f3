#include <GL/glew.h>

#include "threads/GlutLists.h"

#include <GL/freeglut.h>

#include <QByteArray>

namespace {

constexpr int glyphCount = 128;

} // namespace

GlutLists::~GlutLists()
{
    for (const auto &sphere : m_spheres)
        glDeleteLists(sphere.second, 1);
    if (m_glyphBase != 0)
        glDeleteLists(m_glyphBase, glyphCount);
}

// A node's radius is its presence times 0.1, and presence takes a handful of values, so
// there are only ever a few lists.
void GlutLists::drawSphere(double radius)
{
    auto found = m_spheres.find(radius);
    if (found == m_spheres.end()) {
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glutSolidSphere(radius, 16, 16);
        glEndList();
        found = m_spheres.emplace(radius, list).first;
    }
    glCallList(found->second);
}

void GlutLists::drawStrokeText(const QByteArray &text)
{
    if (m_glyphBase == 0) {
        m_glyphBase = glGenLists(glyphCount);
        for (int c = 0; c < glyphCount; ++c) {
            glNewList(m_glyphBase + c, GL_COMPILE);
            glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, c);
            glEndList();
        }
    }
    glListBase(m_glyphBase);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.constData());
    glListBase(0);
}
