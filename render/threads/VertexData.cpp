#include "threads/VertexData.h"

#include "threads/Vec3.h"

void VertexData::clear()
{
    positions.clear();
    colors.clear();
    texCoords.clear();
    stripFirsts.clear();
    stripCounts.clear();
}

void VertexData::add(const Vec3 &at, const float *rgb, float alpha)
{
    positions.insert(positions.end(), {at.x, at.y, at.z});
    colors.insert(colors.end(), {rgb[0], rgb[1], rgb[2], alpha});
}

void VertexData::add(float x, float y, float z, const float *rgba)
{
    positions.insert(positions.end(), {x, y, z});
    colors.insert(colors.end(), rgba, rgba + 4);
}

void VertexData::addTextured(float x, float y, float z, const float *rgba, float s, float t)
{
    add(x, y, z, rgba);
    texCoords.insert(texCoords.end(), {s, t});
}

void VertexData::beginStrip()
{
    stripFirsts.push_back(vertexCount());
}

void VertexData::endStrip()
{
    stripCounts.push_back(vertexCount() - stripFirsts.back());
}
