#include "threads/IncreasingChart.h"

#include "../SceneIndexBuilder.h"
#include "OffscreenTarget.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <gtest/gtest.h>

namespace {

// Eight speakers over twenty scenes, several per scene, so fills and wide lines overlap
// within a scene and lines spill into the neighbouring bands.
std::unique_ptr<TimeIndexVector> crowdedIndex()
{
    std::vector<QColor> colors;
    for (int c = 0; c < 8; ++c)
        colors.push_back(QColor::fromHsv(c * 45, 200, 220));
    auto index = makeSceneIndex(8, {}, colors);
    for (int s = 0; s < 20; ++s) {
        Scene scene;
        scene.start = s / 20.0f;
        scene.end = (s + 1) / 20.0f;
        for (int c = 0; c < 8; ++c)
            scene.counts.append((s * 7 + c * 3) % 4 == 0 ? 0 : (s + c) % 3);
        index->scenes.push_back(scene);
    }
    return index;
}

} // namespace

// The chart's depth ordering against drawing every primitive in turn, which is what a target
// without a depth buffer gets.
TEST(IncreasingChart, DepthOrder_SameAsDrawingInTurn)
{
    const auto index = crowdedIndex();
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.01f));
    for (const int samples : {0, 4}) {
        for (const bool flip : {true, false}) {
            ViewState state;
            state.drawMode = ViewState::IncreasingGraph;
            state.flipAxis = flip;
            state.viewportWidth = 320;
            state.viewportHeight = 240;
            QImage ordered;
            QImage inTurn;
            {
                OffscreenTarget target(QSize(320, 240), samples);
                ASSERT_TRUE(target.valid());
                ThreadRenderer renderer;
                ordered = target.frame(renderer, model, state);
            }
            {
                OffscreenTarget target(QSize(320, 240), samples,
                                       QOpenGLFramebufferObject::NoAttachment);
                ASSERT_TRUE(target.valid());
                ThreadRenderer renderer;
                inTurn = target.frame(renderer, model, state);
            }
            EXPECT_EQ(ordered, inTurn) << "samples " << samples << ", flipped " << flip;
        }
    }
}
