#include "storyline/StorylinePicture.h"

#include "StorylineInstances.h"
#include "TestSupport.h"
#include "TypedPdf.h"
#include "storyline/StorylineExport.h"

#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

class StorylinePictureTest : public ::testing::Test
{
protected:
    void SetUp() override { ensureGuiApplication(); }

    // A dense storyline with names of every length and one colour shared by most lines.
    static StorylinePicture picture(const StorylineSteps &steps, const StorylineLayout &layout)
    {
        StorylineCast cast;
        for (int c = 0; c < steps.characterCount; ++c) {
            cast.names.append(c % 3 == 0 ? QStringLiteral("CAPTAIN HOLLOWAY %1").arg(c)
                                         : QStringLiteral("C%1").arg(c));
            cast.colors.push_back(QColor(120, 120, 120));
        }
        for (size_t s = 0; s < steps.steps.size(); ++s)
            cast.stepLabels.append(QString::number(s));
        cast.axisTitle = QStringLiteral("Scene");
        return StorylinePicture(layout, steps, cast);
    }
};

} // namespace

TEST_F(StorylinePictureTest, Labels_NeverOverlap_AndNameEveryLineWhereItBegins)
{
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        const StorylineSteps steps = generateStoryline({20, 80, 3, 4, 0.2, 0.03, 0.4, seed}).steps;
        const StorylinePicture shown = picture(steps, layoutStoryline(steps));
        const std::vector<StorylineLabel> &labels = shown.labels();
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(QRectF(QPointF(0, 0), shown.size()).contains(labels[i].rect));
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].rect.intersects(labels[j].rect)) << i << " and " << j;
        }
        EXPECT_EQ(shown.droppedLabels(), 0);
        for (int c = 0; c < steps.characterCount; ++c) {
            const int first = static_cast<int>(std::find_if(shown.layout().lineSlots[c].begin(),
                                                            shown.layout().lineSlots[c].end(),
                                                            [](int slot) { return slot >= 0; }) -
                                               shown.layout().lineSlots[c].begin());
            if (first == shown.layout().stepCount)
                continue;
            EXPECT_TRUE(std::any_of(
                labels.begin(), labels.end(),
                [&](const StorylineLabel &l) { return l.character == c && l.step == first; }))
                << "line " << c;
        }
    }
}

TEST_F(StorylinePictureTest, Points_FindTheirLineAndStep)
{
    const StorylineSteps steps = generateStoryline({10, 40, 2, 3, 0.2, 0.03, 0.6, 4}).steps;
    const StorylinePicture shown = picture(steps, layoutStoryline(steps));
    for (int c = 0; c < steps.characterCount; ++c) {
        for (int s = 0; s < shown.layout().stepCount; ++s) {
            if (shown.layout().lineSlots[c][s] < 0)
                continue;
            const QPointF at = shown.pointAt(c, s);
            EXPECT_EQ(shown.lineAt(at + QPointF(0, 2), 4.0), c);
            EXPECT_EQ(shown.stepAt(at), s);
        }
    }
    EXPECT_EQ(shown.stepAt(QPointF(1.0, 1.0)), -1) << "the margin of the names is no step";
    EXPECT_EQ(shown.lineAt(QPointF(1.0, 1.0), 4.0), -1);
}

TEST_F(StorylinePictureTest, Saved_AsSvgWithTheNamesAsText_OrAsAnImageBySuffix)
{
    const StorylineSteps steps = generateStoryline({6, 20, 1, 3, 0.0, 0.0, 1.0, 2}).steps;
    const StorylinePicture shown = picture(steps, layoutStoryline(steps));
    const ScratchDir scratch;
    QString reason;
    ASSERT_TRUE(saveStorylinePicture(shown, scratch.file(QStringLiteral("s.SVG")), &reason))
        << reason.toStdString();
    QXmlStreamReader svg(readBytes(scratch.file(QStringLiteral("s.SVG"))));
    QStringList texts;
    while (!svg.atEnd()) {
        if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == QLatin1String("text"))
            texts.append(svg.readElementText().trimmed());
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("CAPTAIN HOLLOWAY 0")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Scene")));

    ASSERT_TRUE(saveStorylinePicture(shown, scratch.file(QStringLiteral("s.png")), &reason));
    const QImage image(scratch.file(QStringLiteral("s.png")));
    EXPECT_EQ(image.size(), shown.size().toSize());
    EXPECT_FALSE(
        saveStorylinePicture(shown, scratch.file(QStringLiteral("no/such/s.png")), &reason));
    EXPECT_FALSE(reason.isEmpty());
}
