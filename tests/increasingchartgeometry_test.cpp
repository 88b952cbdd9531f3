#include "threads/IncreasingChartGeometry.h"

#include "SceneIndexBuilder.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <gtest/gtest.h>

namespace {

// The x, y and z of vertex `v`.
std::vector<float> vertexAt(const VertexData &data, int v)
{
    return {data.positions[v * 3], data.positions[v * 3 + 1], data.positions[v * 3 + 2]};
}

float depthAt(const VertexData &data, int v)
{
    return data.positions[v * 3 + 2];
}

class IncreasingChartGeometryTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // C0 speaks twice in the first scene, C1 never; the second scene runs backwards.
        index = makeSceneIndex(2, {{0.0f, 0.5f, {2, 0}}, {0.5f, 0.25f, {1, 0}}});
        ASSERT_TRUE(model.buildThreads(index.get(), 0.5f));
        state.flipAxis = false;
    }

    std::unique_ptr<TimeIndexVector> index;
    ThreadModel model;
    ViewState state;
};

} // namespace

TEST_F(IncreasingChartGeometryTest, Lines_FollowTheRunningTotals)
{
    const IncreasingChartGeometry chart = IncreasingChartGeometry::build(model, state, 1000);
    const float h = model.graphHeight;
    // C0: 0 -> 0.5 + 2 * 0.0001 in the first scene; the backward scene takes 0.25 off again.
    ASSERT_EQ(chart.activeLines.vertexCount(), 4);
    const float first = 0.0f + (0.5f + 2.0f * 0.0001f);
    EXPECT_EQ(vertexAt(chart.activeLines, 0)[0], 0.0f);
    EXPECT_EQ(vertexAt(chart.activeLines, 1)[0], first);
    EXPECT_EQ(vertexAt(chart.activeLines, 1)[1], 0.0f * h);
    EXPECT_EQ(vertexAt(chart.activeLines, 3)[0], first + (-0.25f + 0.0001f));
    // C1 stays at 0 in both scenes, with the thin lines.
    ASSERT_EQ(chart.inactiveLines.vertexCount(), 4);
    for (int v = 0; v < 4; ++v)
        EXPECT_EQ(vertexAt(chart.inactiveLines, v)[0], 0.0f);
    // A band and a fill per character in each scene; the fill runs from -h to the total.
    ASSERT_EQ(chart.quads.vertexCount(), 2 * 3 * 4);
    EXPECT_EQ(vertexAt(chart.quads, 4)[0], -h);
    EXPECT_EQ(vertexAt(chart.quads, 6)[0], first);

    // Flipped, time runs across and the value up.
    state.flipAxis = true;
    const IncreasingChartGeometry flipped = IncreasingChartGeometry::build(model, state, 1000);
    EXPECT_EQ(vertexAt(flipped.activeLines, 1)[0], -0.0f * h);
    EXPECT_EQ(vertexAt(flipped.activeLines, 1)[1], first);
    // Lines too thin for GL are left out.
    state.inactiveThreadSize = 0.0f;
    EXPECT_TRUE(IncreasingChartGeometry::build(model, state, 1000).inactiveLines.empty());
}

TEST_F(IncreasingChartGeometryTest, Depth_RisesInDrawingOrderWithinEachRange)
{
    // Per scene: band, fill C0, line C0, fill C1, line C1: ten primitives in all.
    const IncreasingChartGeometry chart = IncreasingChartGeometry::build(model, state, 1000);
    ASSERT_EQ(chart.chunks.size(), 1u);
    for (int scene = 0; scene < 2; ++scene) {
        const float band = depthAt(chart.quads, scene * 12);
        const float fill0 = depthAt(chart.quads, scene * 12 + 4);
        const float line0 = depthAt(chart.activeLines, scene * 2);
        const float fill1 = depthAt(chart.quads, scene * 12 + 8);
        const float line1 = depthAt(chart.inactiveLines, scene * 2);
        EXPECT_LT(band, fill0);
        EXPECT_LT(fill0, line0);
        EXPECT_LT(line0, fill1);
        EXPECT_LT(fill1, line1);
        if (scene == 1) {
            EXPECT_LT(depthAt(chart.inactiveLines, 0), band);
        }
    }
    for (int v = 0; v < chart.quads.vertexCount(); ++v) {
        EXPECT_GE(depthAt(chart.quads, v), -9.0f);
        EXPECT_LE(depthAt(chart.quads, v), 9.0f);
    }

    // Ranges of three primitives: the sequence is cut into 4 ranges that share it out in
    // order, each starting again at the lowest depth.
    const IncreasingChartGeometry cut = IncreasingChartGeometry::build(model, state, 3);
    ASSERT_EQ(cut.chunks.size(), 4u);
    int quads = 0;
    int lines = 0;
    for (const IncreasingChartGeometry::Chunk &chunk : cut.chunks) {
        EXPECT_EQ(chunk.quads.first, quads);
        EXPECT_EQ(chunk.activeLines.first + chunk.inactiveLines.first, lines);
        const int primitives =
            chunk.quads.count / 4 + chunk.activeLines.count / 2 + chunk.inactiveLines.count / 2;
        EXPECT_LE(primitives, 3);
        quads += chunk.quads.count;
        lines += chunk.activeLines.count + chunk.inactiveLines.count;
    }
    EXPECT_EQ(quads, cut.quads.vertexCount());
    EXPECT_EQ(lines, cut.activeLines.vertexCount() + cut.inactiveLines.vertexCount());
    // The third range is fill C0, line C0, fill C1 of the second scene.
    EXPECT_EQ(depthAt(cut.quads, 16), IncreasingChartGeometry::depthOf(0, 3));
    EXPECT_EQ(depthAt(cut.activeLines, 2), IncreasingChartGeometry::depthOf(1, 3));
    EXPECT_EQ(depthAt(cut.quads, 20), IncreasingChartGeometry::depthOf(2, 3));
}
