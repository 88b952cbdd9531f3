#pragma once

#include "threads/GlVertexBuffer.h"
#include "threads/LayoutStamp.h"

#include <optional>
#include <vector>

class ThreadModel;

// The bands of "Color Weaving": one quad per scene, textured with one texel per character
// who speaks in it (in character order), or black when nobody does. The weave program turns
// the texture into a random pick of those colours per pixel. The quads and the textures are
// made when the scenes or the colours change and reused by every frame in between. The
// context it was first used in must be current whenever it is used or destroyed.
class ColorWeave
{
public:
    ColorWeave() = default;
    ~ColorWeave();
    ColorWeave(const ColorWeave &) = delete;
    ColorWeave &operator=(const ColorWeave &) = delete;

    // Draws the bands with the current matrices and program.
    void draw(const ThreadModel &model);

private:
    void rebuild(const ThreadModel &model);
    void deleteTextures();

    std::optional<LayoutStamp> m_stamp;
    GlVertexBuffer m_bands;
    std::vector<unsigned int> m_textures; // per scene; 0 for a scene without speakers
};
