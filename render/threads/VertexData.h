#pragma once

#include <vector>

struct Vec3;

// Vertices as the renderer hands them to GL in one piece: a position and a colour each, a
// texture coordinate when the drawing is textured, and for line strips the runs that make
// up each strip. Plain floats, so that building it needs no GL context and the colours
// reach GL exactly as glColor4f would have passed them.
struct VertexData
{
    std::vector<float> positions; // x, y, z
    std::vector<float> colors;    // r, g, b, a
    std::vector<float> texCoords; // s, t; empty, or one pair per vertex
    std::vector<int> stripFirsts; // the first vertex of every strip
    std::vector<int> stripCounts; // the vertices of every strip

    int vertexCount() const { return static_cast<int>(positions.size() / 3); }
    bool empty() const { return positions.empty(); }
    void clear();

    void add(const Vec3 &at, const float *rgb, float alpha);
    void add(float x, float y, float z, const float *rgba);
    void addTextured(float x, float y, float z, const float *rgba, float s, float t);
    // A strip takes the vertices added between its begin and its end.
    void beginStrip();
    void endStrip();
};
