#include <GL/glew.h>

#include "threads/StrandLayer.h"

#include "threads/StrandRaster.h"

#include <QByteArray>
#include <QRect>

StrandLayer::~StrandLayer()
{
    if (m_texture != 0)
        glDeleteTextures(1, &m_texture);
}

bool StrandLayer::softwareRenderer()
{
    const auto *name = reinterpret_cast<const char *>(glGetString(GL_RENDERER));
    if (name == nullptr)
        return false;
    const QByteArray renderer = QByteArray(name).toLower();
    for (const char *software : {"llvmpipe", "softpipe", "swrast", "swiftshader"})
        if (renderer.contains(software))
            return true;
    return false;
}

// The texture holds the layer turned about its diagonal (see StrandRaster::pixels): a texel
// row is a column of the layer. Only the drawn area is sent.
void StrandLayer::upload(const StrandRaster &raster)
{
    if (m_texture == 0)
        glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    if (raster.width() != m_width || raster.height() != m_height) {
        m_width = raster.width();
        m_height = raster.height();
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, m_height, m_width, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
    }
    const QRect area = raster.drawnArea();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, m_height);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, area.top());
    glPixelStorei(GL_UNPACK_SKIP_ROWS, area.left());
    glTexSubImage2D(GL_TEXTURE_2D, 0, area.top(), area.left(), area.height(), area.width(), GL_RGBA,
                    GL_UNSIGNED_BYTE, raster.pixels().data());
}

void StrandLayer::draw(const StrandRaster &raster)
{
    const QRect area = raster.drawnArea();
    if (area.isEmpty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    upload(raster);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    // Every sample of a pixel takes the layer's pixel: the layer is smoothed already.
    glDisable(GL_MULTISAMPLE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // The drawn area only, as fractions of the view across (x) and up (y).
    const float left = static_cast<float>(area.left()) / m_width;
    const float right = static_cast<float>(area.right() + 1) / m_width;
    const float bottom = static_cast<float>(area.top()) / m_height;
    const float top = static_cast<float>(area.bottom() + 1) / m_height;
    const auto corner = [](float x, float y) {
        glTexCoord2f(y, x); // turned about the diagonal
        glVertex2f(x * 2.0f - 1.0f, y * 2.0f - 1.0f);
    };
    glBegin(GL_QUADS);
    corner(left, bottom);
    corner(right, bottom);
    corner(right, top);
    corner(left, top);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();
}
