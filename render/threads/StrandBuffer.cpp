#include "threads/StrandBuffer.h"

#include "threads/Vec3.h"

#include <GL/gl.h>

#include <type_traits>

static_assert(std::is_same<GLfloat, float>::value && std::is_same<GLint, int>::value &&
                  std::is_same<GLsizei, int>::value && std::is_same<GLuint, unsigned>::value,
              "the strand vectors are handed to GL as they are");

void StrandBuffer::clear()
{
    threadColors.clear();
    vertices.clear();
    colors.clear();
    firsts.clear();
    counts.clear();
    segments.clear();
}

void StrandBuffer::collectSegments()
{
    segments.clear();
    for (std::size_t strip = 0; strip < counts.size(); ++strip) {
        for (int k = 0; k + 1 < counts[strip]; ++k) {
            const unsigned first = static_cast<unsigned>(firsts[strip] + k);
            segments.insert(segments.end(), {first, first + 1});
        }
    }
}

void StrandBuffer::beginStrip()
{
    firsts.push_back(static_cast<int>(vertices.size() / 3));
}

void StrandBuffer::endStrip()
{
    counts.push_back(static_cast<int>(vertices.size() / 3) - firsts.back());
}

void StrandBuffer::add(const Vec3 &at, const float *rgb, float alpha)
{
    vertices.insert(vertices.end(), {at.x, at.y, at.z});
    colors.insert(colors.end(), {rgb[0], rgb[1], rgb[2], alpha});
}
