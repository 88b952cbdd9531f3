#include <GL/glew.h>

#include "threads/ColorWeave.h"

#include "scenes/TimeIndexVector.h"
#include "threads/ThreadModel.h"
#include "threads/VertexData.h"

namespace {

// The colours of the characters who speak in `scene`, r, g, b each, in character order.
std::vector<float> speakerTexels(const Scene &scene, const CharacterList &characters)
{
    std::vector<float> texels;
    for (std::size_t c = 0; c < characters.size(); ++c) {
        if (scene.counts.value(static_cast<int>(c)) == 0)
            continue;
        const QColor &color = characters[c]->color;
        texels.insert(texels.end(),
                      {static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
                       static_cast<float>(color.blueF())});
    }
    return texels;
}

GLuint makeTexture(const std::vector<float> &texels)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, static_cast<GLsizei>(texels.size() / 3), 1, 0, GL_RGB,
                 GL_FLOAT, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

} // namespace

ColorWeave::~ColorWeave()
{
    deleteTextures();
}

void ColorWeave::deleteTextures()
{
    for (const GLuint texture : m_textures) {
        if (texture != 0)
            glDeleteTextures(1, &texture);
    }
    m_textures.clear();
}

void ColorWeave::rebuild(const ThreadModel &model)
{
    deleteTextures();
    VertexData bands;
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const float height = model.graphHeight;
    for (const Scene &scene : model.timeIndex()->scenes) {
        const std::vector<float> texels = speakerTexels(scene, model.characters());
        m_textures.push_back(texels.empty() ? 0 : makeTexture(texels));
        const float *color = texels.empty() ? black : white;
        const float top = (0.5f - scene.start) * height;
        const float bottom = (0.5f - scene.end) * height;
        bands.addTextured(-10.0f, top, 0.0f, color, 0.0f, 0.0f);
        bands.addTextured(10.0f, top, 0.0f, color, 1.0f, 0.0f);
        bands.addTextured(10.0f, bottom, 0.0f, color, 1.0f, 1.0f);
        bands.addTextured(-10.0f, bottom, 0.0f, color, 0.0f, 1.0f);
    }
    m_bands.upload(bands);
}

void ColorWeave::draw(const ThreadModel &model)
{
    if (model.timeIndex() == nullptr)
        return;
    const LayoutStamp stamp = LayoutStamp::of(model);
    if (!m_stamp || *m_stamp != stamp) {
        rebuild(model);
        m_stamp = stamp;
    }
    for (std::size_t scene = 0; scene < m_textures.size(); ++scene) {
        if (m_textures[scene] != 0) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, m_textures[scene]);
        }
        m_bands.draw(GL_QUADS, static_cast<int>(scene) * 4, 4);
        glDisable(GL_TEXTURE_2D);
    }
}
