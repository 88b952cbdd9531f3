#include "threads/StrandRaster.h"

#include "threads/VertexData.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <system_error>

namespace {

// Segments are cut to the layer with this margin, so that the smoothing of a line along an
// edge still reaches the edge pixels, and a line running far outside costs nothing.
constexpr float margin = 2.0f;

struct Clipped
{
    double from = 0.0;
    double to = 1.0;
};

// Narrows [from, to] to the part of p + t d that lies within [low, high]; false when none
// does.
bool clipAxis(double p, double d, double low, double high, Clipped &clipped)
{
    if (d == 0.0)
        return p >= low && p <= high;
    double enter = (low - p) / d;
    double leave = (high - p) / d;
    if (enter > leave)
        std::swap(enter, leave);
    clipped.from = std::max(clipped.from, enter);
    clipped.to = std::min(clipped.to, leave);
    return clipped.from <= clipped.to;
}

// The length of [a, b] within [c, c + 1].
float overlap(float a, float b, float c)
{
    return std::max(0.0f, std::min(b, c + 1.0f) - std::max(a, c));
}

QRect columns(const QRect &area, int left, int right)
{
    return area.intersected(QRect(left, area.top(), right - left, area.height()));
}

} // namespace

QMatrix4x4 StrandRaster::windowTransform(const QMatrix4x4 &projectionModelView, int width,
                                         int height)
{
    QMatrix4x4 viewport;
    viewport.translate(width / 2.0f, height / 2.0f, 0.0f);
    viewport.scale(width / 2.0f, height / 2.0f, 1.0f);
    return viewport * projectionModelView;
}

void StrandRaster::draw(const VertexData &strips, const QMatrix4x4 &toWindow, int width, int height)
{
    QRect lastDrawn = m_drawn;
    if (width != m_width || height != m_height) {
        m_width = std::max(0, width);
        m_height = std::max(0, height);
        m_layer.assign(static_cast<std::size_t>(m_width) * m_height, Lanes{});
        m_bytes.assign(m_layer.size() * 4, 0);
        lastDrawn = QRect();
    }
    transform(strips, toWindow);
    // The halves hold about as many vertices each, and write disjoint columns of the layer.
    const int split = splittingColumn();
    const auto drawRight = [&] {
        return drawBand(strips, {split, m_width}, lastDrawn);
    };
    std::future<QRect> right;
    try {
        right = std::async(std::launch::async, drawRight);
    } catch (const std::system_error &) {
        // No thread to be had: both halves on this one.
        right = std::async(std::launch::deferred, drawRight);
    }
    const QRect left = drawBand(strips, {0, split}, lastDrawn);
    m_drawn = left.united(right.get());
}

void StrandRaster::transform(const VertexData &strips, const QMatrix4x4 &toWindow)
{
    const float *m = toWindow.constData(); // column by column
    const int count = strips.vertexCount();
    m_points.resize(static_cast<std::size_t>(count));
    for (int vertex = 0; vertex < count; ++vertex) {
        const float *p = &strips.positions[static_cast<std::size_t>(vertex) * 3];
        const float *c = &strips.colors[static_cast<std::size_t>(vertex) * 4];
        const float w = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
        Point &point = m_points[static_cast<std::size_t>(vertex)];
        point.x = (m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12]) / w;
        point.y = (m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13]) / w;
        point.z = (m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]) / w;
        // GL clamps the colours it interpolates.
        for (int k = 0; k < 4; ++k)
            point.rgba[k] = std::clamp(c[k], 0.0f, 1.0f);
    }
}

// The column with about half the vertices within the layer on either side, from a sample.
int StrandRaster::splittingColumn() const
{
    std::vector<float> xs;
    const std::size_t stride = std::max<std::size_t>(1, m_points.size() / 4096);
    for (std::size_t i = 0; i < m_points.size(); i += stride)
        if (m_points[i].x >= 0.0f && m_points[i].x < static_cast<float>(m_width))
            xs.push_back(m_points[i].x);
    if (xs.empty())
        return m_width / 2;
    const auto middle = xs.begin() + static_cast<std::ptrdiff_t>(xs.size() / 2);
    std::nth_element(xs.begin(), middle, xs.end());
    return std::clamp(static_cast<int>(*middle), 0, m_width);
}

// Every segment, drawn where it falls within the band: a pixel's blends keep the order of the
// strips whichever band it is in.
QRect StrandRaster::drawBand(const VertexData &strips, Band band, const QRect &lastDrawn)
{
    clearArea(columns(lastDrawn, band.left, band.right));
    QRect drawn;
    if (band.left < band.right) {
        for (std::size_t strip = 0; strip < strips.stripCounts.size(); ++strip) {
            const int first = strips.stripFirsts[strip];
            const int end = first + strips.stripCounts[strip];
            for (int vertex = first + 1; vertex < end; ++vertex)
                drawSegment(m_points[static_cast<std::size_t>(vertex - 1)],
                            m_points[static_cast<std::size_t>(vertex)], band, drawn);
        }
    }
    // What was drawn last time and not now becomes transparent in the bytes as well.
    convertArea(drawn.united(columns(lastDrawn, band.left, band.right)));
    return drawn;
}

// The line is a rectangle one pixel wide about the segment. Stepping along its longer axis,
// each pixel row (or column) takes the part of its cross-section that falls in each pixel.
// The start is included and the end is not, so consecutive segments of a strip meet without
// blending a pixel twice, as GL's lines do.
void StrandRaster::drawSegment(const Point &from, const Point &to, Band band, QRect &drawn)
{
    if (!std::isfinite(from.x + from.y + from.z + to.x + to.y + to.z))
        return;
    // Clipped in double: a line may run millions of pixels out of the view when it is zoomed,
    // where a float's steps are wider than a pixel.
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    Clipped clipped;
    if (!clipAxis(from.x, dx, band.left - margin, band.right + margin, clipped) ||
        !clipAxis(from.y, dy, -margin, m_height + margin, clipped) ||
        !clipAxis(from.z, static_cast<double>(to.z) - from.z, -1.0, 1.0, clipped))
        return;
    const bool steep = std::abs(dy) >= std::abs(dx);
    const double majorStep = steep ? dy : dx;
    if (majorStep == 0.0)
        return;
    const double major0 = steep ? from.y : from.x;
    const double minor0 = steep ? from.x : from.y;
    const float slope = static_cast<float>((steep ? dx : dy) / majorStep);
    const float halfWidth =
        static_cast<float>(0.5 * std::sqrt(dx * dx + dy * dy) / std::abs(majorStep));
    // The ends of the part within reach, in pixels along the longer axis.
    const float start = static_cast<float>(major0 + clipped.from * majorStep);
    const float end = static_cast<float>(major0 + clipped.to * majorStep);
    const float startMinor = static_cast<float>(minor0 + clipped.from * (steep ? dx : dy));
    const Lanes startRgba = from.rgba + static_cast<float>(clipped.from) * (to.rgba - from.rgba);
    const Lanes endRgba = from.rgba + static_cast<float>(clipped.to) * (to.rgba - from.rgba);
    const int majorLow = steep ? 0 : band.left;
    const int majorHigh = steep ? m_height - 1 : band.right - 1;
    const int minorLow = steep ? band.left : 0;
    const int minorHigh = steep ? band.right - 1 : m_height - 1;
    // Pixel centres c + 0.5 in [start, end) going up, or in (end, start] going down.
    const bool up = majorStep > 0.0;
    int first =
        up ? static_cast<int>(std::ceil(start - 0.5f)) : static_cast<int>(std::floor(start - 0.5f));
    int last = up ? static_cast<int>(std::ceil(end - 0.5f)) - 1
                  : static_cast<int>(std::floor(end - 0.5f)) + 1;
    if (!up)
        std::swap(first, last);
    first = std::max(first, majorLow);
    last = std::min(last, majorHigh);
    if (first > last)
        return;
    // The centre and the colour move by a fixed step from one pixel line to the next.
    const float offset = first + 0.5f - start;
    float centre = startMinor + offset * slope;
    const Lanes rgbaStep = (endRgba - startRgba) / (end - start);
    Lanes rgba = startRgba + offset * rgbaStep;
    int lowest = minorHigh + 1;
    int highest = minorLow - 1;
    for (int line = first; line <= last; ++line) {
        const float low = centre - halfWidth;
        const float high = centre + halfWidth;
        const int lowPixel = std::max(minorLow, static_cast<int>(std::floor(low)));
        const int highPixel = std::min(minorHigh, static_cast<int>(std::ceil(high)) - 1);
        lowest = std::min(lowest, lowPixel);
        highest = std::max(highest, highPixel);
        for (int pixel = lowPixel; pixel <= highPixel; ++pixel) {
            const float coverage = std::min(1.0f, overlap(low, high, static_cast<float>(pixel)));
            if (steep)
                blend(pixel, line, rgba, coverage);
            else
                blend(line, pixel, rgba, coverage);
        }
        centre += slope;
        rgba += rgbaStep;
    }
    if (lowest > highest)
        return;
    drawn |= steep ? QRect(QPoint(lowest, first), QPoint(highest, last))
                   : QRect(QPoint(first, lowest), QPoint(last, highest));
}

void StrandRaster::clearArea(const QRect &area)
{
    for (int column = area.left(); column <= area.right() && !area.isEmpty(); ++column) {
        const auto begin =
            m_layer.begin() + static_cast<std::ptrdiff_t>(column) * m_height + area.top();
        std::fill(begin, begin + area.height(), Lanes{});
    }
}

void StrandRaster::convertArea(const QRect &area)
{
    for (int column = area.left(); column <= area.right() && !area.isEmpty(); ++column) {
        const std::size_t begin = static_cast<std::size_t>(column) * m_height + area.top();
        for (std::size_t i = begin; i < begin + static_cast<std::size_t>(area.height()); ++i) {
            const IntLanes bytes = __builtin_convertvector(m_layer[i] * 255.0f + 0.5f, IntLanes);
            for (int k = 0; k < 4; ++k)
                m_bytes[i * 4 + k] = static_cast<std::uint8_t>(std::clamp(bytes[k], 0, 255));
        }
    }
}

std::uint32_t StrandRaster::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const std::uint8_t *at = &m_bytes[(static_cast<std::size_t>(x) * m_height + y) * 4];
    return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
           static_cast<std::uint32_t>(at[2]) << 8 | at[3];
}
