#include "threads/IncreasingChartGeometry.h"

#include "scenes/TimeIndexVector.h"
#include "threads/RunningTotal.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <algorithm>

namespace {

// Appends primitives in sequence order, giving each its depth and closing a chunk whenever
// a depth range is full.
class ChartBuilder
{
public:
    ChartBuilder(IncreasingChartGeometry &chart, bool flip, int primitivesPerRange)
        : m_chart(chart)
        , m_flip(flip)
        , m_perRange(std::max(1, primitivesPerRange))
    {
    }

    void quad(const float (&corners)[4][2], const float *rgba)
    {
        const float z = nextDepth();
        for (const auto &corner : corners)
            add(m_chart.quads, corner[0], corner[1], z, rgba);
    }

    void line(bool active, float value0, float time0, float value1, float time1, const float *rgba)
    {
        VertexData &lines = active ? m_chart.activeLines : m_chart.inactiveLines;
        const float z = nextDepth();
        add(lines, value0, time0, z, rgba);
        add(lines, value1, time1, z, rgba);
    }

    void finish()
    {
        if (m_placed > 0)
            closeChunk();
    }

private:
    // Normal orientation puts (value, time) at (x, y); flipped at (-time, value).
    void add(VertexData &vertices, float value, float time, float z, const float *rgba) const
    {
        if (m_flip)
            vertices.add(-time, value, z, rgba);
        else
            vertices.add(value, time, z, rgba);
    }

    float nextDepth()
    {
        if (m_placed == m_perRange)
            closeChunk();
        return IncreasingChartGeometry::depthOf(m_placed++, m_perRange);
    }

    void closeChunk()
    {
        IncreasingChartGeometry::Chunk chunk;
        chunk.quads = rangeSince(m_chart.quads, m_started.quads);
        chunk.activeLines = rangeSince(m_chart.activeLines, m_started.activeLines);
        chunk.inactiveLines = rangeSince(m_chart.inactiveLines, m_started.inactiveLines);
        m_chart.chunks.push_back(chunk);
        m_started = {chunk.quads.first + chunk.quads.count,
                     chunk.activeLines.first + chunk.activeLines.count,
                     chunk.inactiveLines.first + chunk.inactiveLines.count};
        m_placed = 0;
    }

    struct Starts
    {
        int quads = 0;
        int activeLines = 0;
        int inactiveLines = 0;
    };

    // The vertices added to `vertices` since `first`.
    static IncreasingChartGeometry::Range rangeSince(const VertexData &vertices, int first)
    {
        return {first, vertices.vertexCount() - first};
    }

    IncreasingChartGeometry &m_chart;
    bool m_flip;
    int m_perRange;
    int m_placed = 0;
    Starts m_started;
};

} // namespace

float IncreasingChartGeometry::depthOf(int place, int primitivesPerRange)
{
    if (primitivesPerRange <= 1)
        return 0.0f;
    return -9.0f + 18.0f * static_cast<float>(place) / static_cast<float>(primitivesPerRange - 1);
}

IncreasingChartGeometry IncreasingChartGeometry::build(const ThreadModel &model,
                                                       const ViewState &state,
                                                       int primitivesPerRange)
{
    IncreasingChartGeometry chart;
    if (model.timeIndex() == nullptr)
        return chart;
    ChartBuilder builder(chart, state.flipAxis, primitivesPerRange);
    const float height = model.graphHeight;
    const CharacterList &characters = model.characters();
    std::vector<float> totals(characters.size(), 0.0f);
    const std::vector<Scene> &scenes = model.timeIndex()->scenes;
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const float top = (0.5f - scenes[i].start) * height;
        const float bottom = (0.5f - scenes[i].end) * height;
        const float grey = i % 2 == 0 ? 0.8f : 0.9f;
        const float band[4] = {grey, grey, grey, 1.0f};
        builder.quad({{-1000.0f, top}, {1000.0f, top}, {1000.0f, bottom}, {-1000.0f, bottom}},
                     band);
        for (std::size_t c = 0; c < characters.size(); ++c) {
            const bool present = scenes[i].counts.value(static_cast<int>(c)) != 0;
            const float before = totals[c];
            const float after = before + runningTotalStep(scenes[i], static_cast<int>(c));
            totals[c] = after;
            const QColor &color = characters[c]->color;
            float rgba[4] = {static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
                             static_cast<float>(color.blueF()), state.threadTransparency};
            builder.quad({{-height, top}, {before, top}, {after, bottom}, {-height, bottom}}, rgba);
            const float width = present ? state.activeThreadSize : state.inactiveThreadSize;
            if (width <= 0.0f)
                continue;
            rgba[3] = 1.0f;
            builder.line(present, before, top, after, bottom, rgba);
        }
    }
    builder.finish();
    return chart;
}
