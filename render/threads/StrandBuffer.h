#pragma once

#include <vector>

struct Vec3;

// The vertices of all fibre strands of one frame, drawn with a single call. The renderer
// keeps one between frames, so a frame allocates nothing once the vectors have grown. The
// element types are those of GL (GLfloat, GLint, GLsizei, GLuint) without its header.
struct StrandBuffer
{
    std::vector<float> threadColors; // r, g, b per thread: its nodes all share one colour
    std::vector<float> vertices;     // x, y, z
    std::vector<float> colors;       // r, g, b, a
    std::vector<int> firsts;         // first vertex of every strip
    std::vector<int> counts;         // vertices of every strip
    std::vector<unsigned> segments;  // vertex index pairs, one per line segment of every strip

    void clear();
    // Every strip as its run of segments, so one core GL 1.1 call draws them all.
    void collectSegments();
    void beginStrip();
    void endStrip();
    void add(const Vec3 &at, const float *rgb, float alpha);
};
