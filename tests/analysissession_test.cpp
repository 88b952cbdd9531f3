#include "document/AnalysisSession.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"
#include "support/StageProgress.h"

#include <gtest/gtest.h>

namespace {

QStringList namesOf(const CharacterList &characters)
{
    QStringList names;
    for (const CharacterPtr &character : characters)
        names.append(character->names.join(QLatin1Char(' ')));
    return names;
}

class AnalysisSessionTest : public testing::Test
{
protected:
    AnalysisSessionTest()
    {
        const QByteArray cue(20, ' ');
        const QByteArray speech(10, ' ');
        screenplay = scratch.write("play.txt", "INT. ROOM\n" + cue + "ANNA\n" + speech + "Hi.\n" +
                                                   cue + "BEN\n" + speech + "Hello.\n" + cue +
                                                   "ANNA\n" + speech + "Bye.\n");
        scratch.write("characters.txt", "ANNA : 10 20 30\n");
        scratch.write("colors.txt", "1 2 3\n");
        session.settings().includeCharacters = {characterNamed("OLD")};
        session.settings().manualBreaks = {0.5f};
    }

    ScratchDir scratch;
    QString screenplay;
    AnalysisSession session{SettingsPaths::in(scratch.path())};
};

} // namespace

TEST_F(AnalysisSessionTest, Open_TakesTheSettingsFilesAndDropsTheManualBreaks)
{
    const OpenedScreenplay opened = session.open(screenplay, StageProgress());
    ASSERT_EQ(opened.outcome, OpenOutcome::Read);
    EXPECT_EQ(namesOf(session.settings().includeCharacters), QStringList{"ANNA"});
    EXPECT_EQ(session.settings().palette, QVector<QColor>{QColor(1, 2, 3)});
    EXPECT_TRUE(session.settings().manualBreaks.isEmpty());
    ASSERT_EQ(namesOf(opened.screenplay.characters), (QStringList{"ANNA", "BEN"}));
    EXPECT_EQ(opened.screenplay.characters[0]->color, QColor(10, 20, 30)); // forced
    EXPECT_EQ(opened.screenplay.characters[1]->color, QColor(1, 2, 3));
    EXPECT_EQ(opened.screenplay.speakerIndent, 20);
}

TEST_F(AnalysisSessionTest, Open_StoppedReadingChangesNothing)
{
    StageProgress stop;
    stop.canceled = [] {
        return true;
    };
    const OpenedScreenplay opened = session.open(screenplay, stop);
    EXPECT_EQ(opened.outcome, OpenOutcome::Stopped);
    EXPECT_TRUE(opened.screenplay.textLines.isEmpty());
    EXPECT_EQ(namesOf(session.settings().includeCharacters), QStringList{"OLD"});
    EXPECT_EQ(session.settings().manualBreaks, QVector<float>{0.5f});
}

TEST_F(AnalysisSessionTest, Parse_ReadsTheOptionsFileEachTime)
{
    scratch.write("config.txt", "NumberSteps 50\n");
    session.readSettings();
    const OpenedScreenplay opened = session.open(screenplay, StageProgress());
    EXPECT_EQ(session.parse(opened.screenplay, StageProgress())->options.numberSteps, 50);
    // An edit made outside counts at the next parse, without opening the file again.
    scratch.write("config.txt", "NumberSteps 20\n");
    EXPECT_EQ(session.parse(opened.screenplay, StageProgress())->options.numberSteps, 20);
    EXPECT_EQ(session.settings().options.numberSteps, 20);
}
