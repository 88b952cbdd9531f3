#pragma once

#include "threads/VertexData.h"

#include <vector>

class ThreadModel;
struct ViewState;

// The vertices of the "Increasing Graph", a cumulative chart in which every character's value
// grows by the length of each scene it speaks in (plus 0.0001 per count). Time runs down the
// view with the value across, or across with the value up when the axis is flipped.
//
// The chart is a sequence of primitives whose order decides the picture: per scene a grey
// band, then per character a translucent fill up to its running total and the opaque line of
// the total. Drawing them one by one costs a draw call each, so they are split by kind
// instead (quads, and lines of either width) and each primitive carries its place in the
// sequence as its depth: z grows with the place, within ranges of at most
// `primitivesPerRange` primitives that are drawn one after another.
struct IncreasingChartGeometry
{
    struct Range
    {
        int first = 0;
        int count = 0;
    };
    // The primitives of one depth range, by kind.
    struct Chunk
    {
        Range quads;
        Range activeLines;
        Range inactiveLines;
    };

    VertexData quads;         // bands and fills, in sequence order
    VertexData activeLines;   // lines where the character speaks, `activeThreadSize` wide
    VertexData inactiveLines; // the other lines, `inactiveThreadSize` wide
    std::vector<Chunk> chunks;

    // The z of the primitive at `place` (0-based) in its range: from -9 up to 9, inside
    // the chart's depth range of -10 .. 10.
    static float depthOf(int place, int primitivesPerRange);

    // Lines of width 0 or less are left out, as GL does not draw them.
    static IncreasingChartGeometry build(const ThreadModel &model, const ViewState &state,
                                         int primitivesPerRange);
};
