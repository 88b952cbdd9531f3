#pragma once

#include "threads/GlVertexBuffer.h"
#include "threads/IncreasingChartGeometry.h"
#include "threads/LayoutStamp.h"

#include <optional>
#include <vector>

class ThreadModel;
struct ViewState;

// Draws the "Increasing Graph" (see IncreasingChartGeometry) from GL buffers that are rebuilt
// when the scenes, the colours or the chart's options change. The depth test puts the
// primitives back in their order: in each depth range the lines go first, each sample keeping
// the line latest in the sequence, and then the bands and fills in sequence order, each
// sample taking only those that come after the line it shows. That is the picture of drawing
// them one by one in sequence, in three draw calls. The context it was first used in must be
// current whenever it is used or destroyed.
class IncreasingChart
{
public:
    // Draws into the current context; sets its own viewport and projection.
    void draw(const ThreadModel &model, const ViewState &state);
    // The reading position over the chart, when the grid is asked for: a line across the
    // values when the axis is flipped, the reading grid otherwise. Sets the same viewport
    // and projection.
    void drawReadingMarks(const ThreadModel &model, const ViewState &state) const;

private:
    struct Key
    {
        LayoutStamp stamp;
        bool flipAxis = false;
        float activeThreadSize = 0.0f;
        float inactiveThreadSize = 0.0f;
        float threadTransparency = 0.0f;
        int primitivesPerRange = 0;
        bool operator==(const Key &other) const;
    };

    void update(const ThreadModel &model, const ViewState &state);
    static void setProjection(const ThreadModel &model, const ViewState &state);
    void drawChunks(const ViewState &state) const;
    void drawReadingLine(const ThreadModel &model, const ViewState &state) const;
    void drawPinnedLine(const ThreadModel &model, const ViewState &state) const;

    // The pinned line is at least this many pixels wide.
    static constexpr float pinnedMinimumWidth = 5.0f;

    std::optional<Key> m_key;
    std::vector<IncreasingChartGeometry::Chunk> m_chunks;
    GlVertexBuffer m_quads;
    GlVertexBuffer m_activeLines;
    GlVertexBuffer m_inactiveLines;
};
