#pragma once

#include <vector>

struct VertexData;

// A GL buffer object holding one VertexData: positions, colours and, when given, texture
// coordinates, drawn through the compatibility profile's client arrays. Uploading replaces
// the contents; drawing sends nothing but the call. The context it was made in must be
// current whenever it is used or destroyed.
class GlVertexBuffer
{
public:
    GlVertexBuffer() = default;
    ~GlVertexBuffer();
    GlVertexBuffer(const GlVertexBuffer &) = delete;
    GlVertexBuffer &operator=(const GlVertexBuffer &) = delete;

    void upload(const VertexData &data);
    int vertexCount() const { return m_vertexCount; }

    // `mode` is a GLenum (GL_QUADS, GL_LINES, ...).
    void draw(unsigned int mode) const { draw(mode, 0, m_vertexCount); }
    void draw(unsigned int mode, int first, int count) const;
    // The strips of the data last uploaded, each as a GL_LINE_STRIP.
    void drawStrips() const;

private:
    void bind() const;
    static void unbind();

    unsigned int m_buffer = 0;
    int m_vertexCount = 0;
    bool m_textured = false;
    std::vector<int> m_stripFirsts;
    std::vector<int> m_stripCounts;
};
