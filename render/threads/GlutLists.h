#pragma once

#include <map>

class QByteArray;

// GLUT's shapes and stroke glyphs compiled once into display lists, so a frame replays them
// instead of generating their vertices again: a sphere per radius asked for, and each
// printable glyph of the mono-spaced stroke font with its advance. The context they were
// made in must be current whenever they are used or destroyed; GLUT must be initialised.
class GlutLists
{
public:
    GlutLists() = default;
    ~GlutLists();
    GlutLists(const GlutLists &) = delete;
    GlutLists &operator=(const GlutLists &) = delete;

    // glutSolidSphere(radius, 16, 16) at the origin.
    void drawSphere(double radius);
    // The bytes in the stroke font from the current origin, each glyph moving the origin
    // by its advance as glutStrokeCharacter does.
    void drawStrokeText(const QByteArray &text);

private:
    std::map<double, unsigned int> m_spheres;
    unsigned int m_glyphBase = 0;
};
