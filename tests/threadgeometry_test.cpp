#include "threads/ThreadGeometry.h"

#include "SceneIndexBuilder.h"
#include "support/Random15.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Two characters over three scenes: C0 speaks in the middle scene only (so its first and
// last samples are hidden), C1 throughout.
std::unique_ptr<TimeIndexVector> middleSpeakerIndex()
{
    return makeSceneIndex(2, {{0.0f, 0.3f, {0, 1}}, {0.3f, 0.7f, {1, 1}}, {0.7f, 1.0f, {0, 1}}},
                          {QColor(255, 0, 0), QColor(0, 0, 255)});
}

} // namespace

TEST(ThreadGeometry, SceneBands_OneGreyQuadPerSceneAtItsTimes)
{
    const auto index = middleSpeakerIndex();
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.1f));
    const VertexData bands = ThreadGeometry::sceneBands(model);
    ASSERT_EQ(bands.vertexCount(), 12);
    const float greys[] = {0.8f, 0.9f, 0.8f};
    for (int scene = 0; scene < 3; ++scene) {
        const float top = (0.5f - index->scenes[scene].start) * model.graphHeight;
        const float bottom = (0.5f - index->scenes[scene].end) * model.graphHeight;
        const int first = scene * 4;
        EXPECT_FLOAT_EQ(bands.positions[first * 3 + 1], top);
        EXPECT_FLOAT_EQ(bands.positions[(first + 2) * 3 + 1], bottom);
        EXPECT_FLOAT_EQ(bands.colors[first * 4], greys[scene]);
        EXPECT_FLOAT_EQ(bands.colors[first * 4 + 3], 1.0f);
    }
    EXPECT_TRUE(ThreadGeometry::sceneBands(ThreadModel()).empty());
}

TEST(ThreadGeometry, Strands_ReproducibleAndOnlyBetweenVisibleNodes)
{
    const auto index = middleSpeakerIndex();
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.1f));
    ViewState state;
    const VertexData strands = ThreadGeometry::threadStrands(model, state);
    ASSERT_FALSE(strands.empty());
    ASSERT_EQ(strands.stripFirsts.size(), strands.stripCounts.size());

    // Other draws from the shared generator in between change nothing: it is reseeded.
    Random15::draw15();
    const VertexData again = ThreadGeometry::threadStrands(model, state);
    EXPECT_EQ(again.positions, strands.positions);
    EXPECT_EQ(again.colors, strands.colors);

    // Every vertex lies within the widest jitter of a visible node, and its alpha is the
    // transparency times that node's presence: hidden nodes (presence 0) get none.
    const float reach = state.activeThreadSize * 0.1f + 1e-5f;
    for (int v = 0; v < strands.vertexCount(); ++v) {
        const Vec3 at{strands.positions[v * 3], strands.positions[v * 3 + 1],
                      strands.positions[v * 3 + 2]};
        const float alpha = strands.colors[v * 4 + 3];
        bool nearVisible = false;
        for (const ThreadNode &node : model.nodes()) {
            if (node.presence > 0.0f && node.position.y == at.y &&
                length(at - node.position) <= reach &&
                std::abs(alpha - state.threadTransparency * node.presence) < 1e-6f)
                nearVisible = true;
        }
        EXPECT_TRUE(nearVisible) << "vertex " << v;
    }
    // Another width of the threads changes the strands.
    state.activeThreadSize = 1.0f;
    EXPECT_NE(ThreadGeometry::threadStrands(model, state).positions, strands.positions);
}

TEST(ThreadGeometry, SceneLinks_HalfInEitherColourFromPresentNodes)
{
    const auto index =
        makeSceneIndex(2, {{0.0f, 1.0f, {1, 1}}}, {QColor(255, 0, 0), QColor(0, 0, 255)});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.5f));
    int links = 0;
    for (const Spring &spring : model.springs())
        links += spring.sceneLink ? 1 : 0;
    const VertexData lines = ThreadGeometry::sceneLinks(model);
    ASSERT_EQ(lines.vertexCount(), links * 4);
    // The first half in red up to the midpoint, the second in blue from it.
    EXPECT_EQ(std::vector<float>(lines.colors.begin(), lines.colors.begin() + 4),
              (std::vector<float>{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(std::vector<float>(lines.colors.begin() + 8, lines.colors.begin() + 12),
              (std::vector<float>{0.0f, 0.0f, 1.0f, 1.0f}));
    for (int k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(lines.positions[3 + k], lines.positions[6 + k]);
}
