#include "threads/StrandRaster.h"

#include "threads/VertexData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

namespace {

struct Vertex
{
    float x, y, z;
};

// Strips in pixel units, each in one colour.
void addStrip(VertexData &data, std::initializer_list<Vertex> vertices, const float *rgba)
{
    data.beginStrip();
    for (const Vertex &v : vertices)
        data.add(v.x, v.y, v.z, rgba);
    data.endStrip();
}

int alphaAt(const StrandRaster &raster, int x, int y)
{
    return static_cast<int>(raster.pixel(x, y) & 0xff);
}

int channelAt(const StrandRaster &raster, int x, int y, int channel) // 0 red .. 3 alpha
{
    return static_cast<int>(raster.pixel(x, y) >> (24 - 8 * channel) & 0xff);
}

const float halfRed[4] = {1.0f, 0.0f, 0.0f, 0.5f};
const float halfBlue[4] = {0.0f, 0.0f, 1.0f, 0.5f};

} // namespace

// A line one pixel wide covers the pixels along it, from its start up to (not including) its
// end, and a strip's vertex is blended once.
TEST(StrandRaster, Lines_CoverTheirPixelsOnceFromStartToEnd)
{
    VertexData data;
    addStrip(data, {{10.5f, 2.0f, 0.0f}, {10.5f, 10.0f, 0.0f}, {10.5f, 20.0f, 0.0f}}, halfRed);
    addStrip(data, {{3.0f, 30.5f, 0.0f}, {8.0f, 30.5f, 0.0f}}, halfRed); // across
    StrandRaster raster;
    raster.draw(data, QMatrix4x4(), 40, 40);
    for (int y = 2; y < 20; ++y) {
        EXPECT_NEAR(alphaAt(raster, 10, y), 128, 1) << y;
        EXPECT_NEAR(channelAt(raster, 10, y, 0), 128, 1) << y;
        EXPECT_EQ(channelAt(raster, 10, y, 2), 0) << y;
        EXPECT_EQ(alphaAt(raster, 9, y), 0) << y;
        EXPECT_EQ(alphaAt(raster, 11, y), 0) << y;
    }
    EXPECT_EQ(alphaAt(raster, 10, 1), 0);
    EXPECT_EQ(alphaAt(raster, 10, 20), 0);
    for (int x = 3; x < 8; ++x)
        EXPECT_NEAR(alphaAt(raster, x, 30), 128, 1) << x;
    EXPECT_EQ(alphaAt(raster, 8, 30), 0);
    EXPECT_EQ(raster.drawnArea(), QRect(QPoint(3, 2), QPoint(10, 30)));
}

// A line between two pixel centres shares its cover between them.
TEST(StrandRaster, LineBetweenPixels_SplitsItsCover)
{
    VertexData data;
    addStrip(data, {{11.0f, 0.0f, 0.0f}, {11.0f, 8.0f, 0.0f}}, halfRed);
    StrandRaster raster;
    raster.draw(data, QMatrix4x4(), 20, 10);
    EXPECT_NEAR(alphaAt(raster, 10, 4), 64, 1);
    EXPECT_NEAR(alphaAt(raster, 11, 4), 64, 1);
    EXPECT_EQ(alphaAt(raster, 12, 4), 0);
}

// Later strips are laid over earlier ones, on either side of the column where the layer is
// split between the two halves drawn at once.
TEST(StrandRaster, Overlaps_BlendInTheOrderOfTheStrips)
{
    VertexData data;
    for (int x = 0; x < 40; ++x)
        addStrip(data, {{x + 0.5f, 0.0f, 0.0f}, {x + 0.5f, 20.0f, 0.0f}}, halfRed);
    addStrip(data, {{-5.0f, 10.5f, 0.0f}, {45.0f, 10.5f, 0.0f}}, halfBlue);
    StrandRaster raster;
    raster.draw(data, QMatrix4x4(), 40, 20);
    for (int x = 0; x < 40; ++x) {
        // Blue at half over half red: red 0.25, blue 0.5, alpha 0.75.
        EXPECT_NEAR(channelAt(raster, x, 10, 0), 64, 1) << x;
        EXPECT_NEAR(channelAt(raster, x, 10, 2), 128, 1) << x;
        EXPECT_NEAR(alphaAt(raster, x, 10), 191, 1) << x;
        EXPECT_NEAR(channelAt(raster, x, 9, 0), 128, 1) << x;
    }
}

// The transform places the lines; a line far outside is cut to the layer, one beyond GL's
// depth range is not drawn, and a line that is not a number is skipped.
TEST(StrandRaster, Transform_PlacesAndClipsAsGLWould)
{
    QMatrix4x4 projection;
    projection.ortho(-1.0f, 1.0f, -1.0f, 1.0f, -1.0f, 1.0f);
    const QMatrix4x4 toWindow = StrandRaster::windowTransform(projection, 100, 50);
    VertexData data;
    addStrip(data, {{-1e7f, 0.02f, 0.0f}, {1e7f, 0.02f, 0.0f}}, halfRed); // row 25
    addStrip(data, {{0.51f, -0.9f, 3.0f}, {0.51f, 0.9f, 3.0f}}, halfRed); // behind the far plane
    addStrip(data, {{0.0f, 0.0f, 0.0f}, {std::nanf(""), 0.5f, 0.0f}}, halfRed);
    StrandRaster raster;
    raster.draw(data, toWindow, 100, 50);
    for (int x = 0; x < 100; ++x) {
        EXPECT_NEAR(alphaAt(raster, x, 25), 128, 1) << x;
        EXPECT_EQ(alphaAt(raster, x, 24) + alphaAt(raster, x, 26), 0) << x;
    }
    EXPECT_EQ(alphaAt(raster, 75, 10), 0);
    EXPECT_EQ(raster.drawnArea().width(), 100);
}

// Drawing again replaces the layer: what the last draw touched goes back to transparent.
TEST(StrandRaster, DrawAgain_ClearsWhatWasDrawnBefore)
{
    VertexData first;
    addStrip(first, {{5.5f, 0.0f, 0.0f}, {5.5f, 10.0f, 0.0f}}, halfRed);
    VertexData second;
    addStrip(second, {{15.5f, 0.0f, 0.0f}, {15.5f, 10.0f, 0.0f}}, halfBlue);
    StrandRaster raster;
    raster.draw(first, QMatrix4x4(), 20, 10);
    raster.draw(second, QMatrix4x4(), 20, 10);
    EXPECT_EQ(alphaAt(raster, 5, 5), 0);
    EXPECT_EQ(raster.pixels()[(5 * 10 + 5) * 4 + 3], 0);
    EXPECT_NEAR(channelAt(raster, 15, 5, 2), 128, 1);
    raster.draw(VertexData(), QMatrix4x4(), 20, 10);
    EXPECT_TRUE(raster.drawnArea().isEmpty());
    EXPECT_EQ(alphaAt(raster, 15, 5), 0);
}
