#include "scenes/TimeIndexVector.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

CharacterList cast(int size)
{
    CharacterList list;
    for (int i = 0; i < size; ++i)
        list.push_back(std::make_shared<Character>(QStringList{QString("C%1").arg(i)}));
    return list;
}

} // namespace

TEST(TimeIndexVector, AddScene_ClosesPreviousCarriesLastPageAndSizesCounters)
{
    TimeIndexVector index(cast(3));
    index.addScene(0.0f, "START");
    index.addPage(4);
    index.addPage(5);
    index.addScene(0.25f, "INT");
    index.addScene(0.5f, "EXT");
    ASSERT_EQ(index.scenes.size(), 3u);
    EXPECT_EQ(index.scenes[0].end, 0.25f);
    EXPECT_EQ(index.scenes[1].start, 0.25f);
    EXPECT_EQ(index.scenes[1].end, 0.5f);
    EXPECT_EQ(index.scenes[2].end, 0.0f); // open until the pass closes it
    EXPECT_EQ(index.scenes[1].type, QString("INT"));
    EXPECT_EQ(index.scenes[1].pages, QVector<qint32>{5});
    EXPECT_EQ(index.scenes[2].pages, QVector<qint32>{5});
    for (const Scene &scene : index.scenes)
        EXPECT_EQ(scene.counts, (QVector<qint32>{0, 0, 0}));
}

TEST(TimeIndexVector, CountAndPage_OnlyTheLastSceneAndValidIndices)
{
    TimeIndexVector index(cast(2));
    // Nothing to count into yet: a warning and no change.
    testing::internal::CaptureStdout();
    index.countCharacter(0);
    index.addPage(3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("warning: TimeIndexVector is 0 at inc value\n"));
    EXPECT_TRUE(index.scenes.empty());

    index.addScene(0.0f, "START");
    index.addScene(0.5f, "INT");
    index.countCharacter(1);
    index.countCharacter(1);
    index.countCharacter(2);  // beyond the snapshot: ignored
    index.countCharacter(-1); // never valid
    index.addPage(3);
    EXPECT_EQ(index.scenes[0].counts, (QVector<qint32>{0, 0}));
    EXPECT_EQ(index.scenes[1].counts, (QVector<qint32>{0, 2}));
    EXPECT_TRUE(index.scenes[0].pages.isEmpty());
    EXPECT_EQ(index.scenes[1].pages, QVector<qint32>{3});
}

TEST(TimeIndexVector, NormalizeTimes_RescalesAndStaysFinite)
{
    TimeIndexVector index;
    index.addScene(2.0f, "fight");
    index.addScene(4.0f, "break");
    index.scenes.back().end = 6.0f;
    index.normalizeTimes();
    EXPECT_EQ(index.scenes[0].start, 0.0f);
    EXPECT_EQ(index.scenes[0].end, 0.5f);
    EXPECT_EQ(index.scenes[1].start, 0.5f);
    EXPECT_EQ(index.scenes[1].end, 1.0f);

    // Every time equal: no division by zero, every position 0.
    TimeIndexVector flat;
    flat.addScene(3.0f, "fight");
    flat.addScene(3.0f, "end");
    flat.scenes.back().end = 3.0f;
    flat.normalizeTimes();
    for (const Scene &scene : flat.scenes) {
        EXPECT_EQ(scene.start, 0.0f);
        EXPECT_EQ(scene.end, 0.0f);
    }

    // A record far outside the first..last range would overflow; it maps to 0 instead.
    TimeIndexVector wild;
    wild.addScene(0.0f, "fight");
    wild.addScene(3.0e38f, "break");
    wild.addScene(-3.0e38f, "fight");
    wild.addScene(0.0f, "end");
    wild.scenes.back().end = 1.0e-30f;
    wild.normalizeTimes();
    for (const Scene &scene : wild.scenes) {
        EXPECT_TRUE(std::isfinite(scene.start));
        EXPECT_TRUE(std::isfinite(scene.end));
    }

    TimeIndexVector empty;
    empty.normalizeTimes();
    EXPECT_TRUE(empty.scenes.empty());
}
