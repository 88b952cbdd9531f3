#include <GL/glew.h>

#include "threads/GlVertexBuffer.h"

#include "threads/VertexData.h"

#include <cstdint>

namespace {

// The buffer holds the positions, then the colours, then the texture coordinates.
GLsizeiptr bytesOf(const std::vector<float> &values)
{
    return static_cast<GLsizeiptr>(values.size() * sizeof(float));
}

const void *offset(std::size_t bytes)
{
    return reinterpret_cast<const void *>(static_cast<std::uintptr_t>(bytes));
}

} // namespace

GlVertexBuffer::~GlVertexBuffer()
{
    if (m_buffer != 0)
        glDeleteBuffers(1, &m_buffer);
}

void GlVertexBuffer::upload(const VertexData &data)
{
    if (m_buffer == 0)
        glGenBuffers(1, &m_buffer);
    m_vertexCount = data.vertexCount();
    m_textured = !data.texCoords.empty();
    m_stripFirsts = data.stripFirsts;
    m_stripCounts = data.stripCounts;
    const GLsizeiptr positions = bytesOf(data.positions);
    const GLsizeiptr colors = bytesOf(data.colors);
    glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
    glBufferData(GL_ARRAY_BUFFER, positions + colors + bytesOf(data.texCoords), nullptr,
                 GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, positions, data.positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, positions, colors, data.colors.data());
    if (m_textured)
        glBufferSubData(GL_ARRAY_BUFFER, positions + colors, bytesOf(data.texCoords),
                        data.texCoords.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GlVertexBuffer::bind() const
{
    const std::size_t positions = static_cast<std::size_t>(m_vertexCount) * 3 * sizeof(float);
    const std::size_t colors = static_cast<std::size_t>(m_vertexCount) * 4 * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, offset(0));
    glColorPointer(4, GL_FLOAT, 0, offset(positions));
    if (m_textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, offset(positions + colors));
    }
}

// Client arrays and the buffer binding go back to their defaults: GLUT's shapes draw from
// client memory and would read a bound buffer instead.
void GlVertexBuffer::unbind()
{
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GlVertexBuffer::draw(unsigned int mode, int first, int count) const
{
    if (m_buffer == 0 || count <= 0)
        return;
    bind();
    glDrawArrays(mode, first, count);
    unbind();
    // The colour array leaves the current colour undefined; later immediate drawing sets
    // its own.
}

void GlVertexBuffer::drawStrips() const
{
    if (m_buffer == 0 || m_stripCounts.empty())
        return;
    bind();
    // One call per strip: the multi-draw call drew nothing into a multisampled window under
    // Mesa's software rasteriser, without any GL error.
    for (std::size_t strip = 0; strip < m_stripCounts.size(); ++strip)
        glDrawArrays(GL_LINE_STRIP, m_stripFirsts[strip], m_stripCounts[strip]);
    unbind();
}
