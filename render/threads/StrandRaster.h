#pragma once

#include <QMatrix4x4>
#include <QRect>

#include <cstdint>
#include <vector>

struct VertexData;

// Draws the line strips of a VertexData, one pixel wide, smoothed and blended in order with
// each vertex's alpha (as glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) does), into a
// transparent layer of premultiplied pixels that is then laid over the picture. A software
// GL rasteriser spends most of a thread-view frame on the thousands of short strands,
// shading whole blocks of pixels for every line; stepping along each line and touching only
// the pixels it covers does the same work several times faster. The layer is drawn in two
// halves side by side at once, each on a processor core. Needs no GL.
class StrandRaster
{
public:
    // Draws `strips` through `toWindow` (a projection and model-view, then the viewport into
    // pixel units: x to the right and y upwards, pixel centres at half units) into a layer
    // of width x height pixels, replacing what was there.
    void draw(const VertexData &strips, const QMatrix4x4 &toWindow, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The pixels the last draw() touched, rows counted from the bottom; every pixel outside
    // is transparent. Empty when nothing was drawn.
    QRect drawnArea() const { return m_drawn; }
    // The layer as premultiplied RGBA bytes, column by column, each column from the bottom
    // row up: laid out as a texture of height() x width() texels, it is the layer turned
    // about its diagonal. Most strands run up the view, and stored this way a strand's
    // pixels lie next to each other in memory.
    const std::vector<std::uint8_t> &pixels() const { return m_bytes; }
    // The layer's pixel (x, y), y counted from the bottom, as premultiplied RGBA bytes, red
    // in the highest byte.
    std::uint32_t pixel(int x, int y) const;

    // A projection and model-view matrix followed by the viewport transform of a viewport
    // at the origin: the `toWindow` of draw().
    static QMatrix4x4 windowTransform(const QMatrix4x4 &projectionModelView, int width, int height);

private:
    // r, g, b and a, computed at once.
    using Lanes = float __attribute__((vector_size(16)));
    using IntLanes = int __attribute__((vector_size(16)));
    struct Point
    {
        float x, y;
        float z; // as GL clips it: drawn within [-1, 1]
        Lanes rgba;
    };
    // The columns [left, right) of the layer.
    struct Band
    {
        int left = 0;
        int right = 0;
    };

    void transform(const VertexData &strips, const QMatrix4x4 &toWindow);
    int splittingColumn() const;
    QRect drawBand(const VertexData &strips, Band band, const QRect &lastDrawn);
    void drawSegment(const Point &from, const Point &to, Band band, QRect &drawn);
    void blend(int x, int y, Lanes rgba, float coverage)
    {
        const float alpha = rgba[3] * coverage;
        Lanes *at = &m_layer[static_cast<std::size_t>(x) * m_height + y];
        const Lanes source = {rgba[0], rgba[1], rgba[2], 1.0f};
        *at = source * alpha + *at * (1.0f - alpha);
    }
    void clearArea(const QRect &area);
    void convertArea(const QRect &area);

    int m_width = 0;
    int m_height = 0;
    std::vector<Point> m_points; // the vertices in pixel units
    std::vector<Lanes> m_layer;  // premultiplied, laid out as pixels()
    std::vector<std::uint8_t> m_bytes;
    QRect m_drawn;
};
