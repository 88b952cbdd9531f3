#include "facts/LineRoles.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class LineRolesTest : public ::testing::Test
{
protected:
    std::vector<RoledLine> roles(const QStringList &lines, const std::vector<bool> &headings,
                                 bool html = false) const
    {
        return lineRoles({lines, speakers, options, headings, html});
    }

    CharacterList speakers{characterNamed("ANNA"), characterNamed("BEN", {{"OLD", "BEN"}})};
    AnalysisOptions options = [] {
        AnalysisOptions merged;
        merged.mergeCueExtensions = true;
        return merged;
    }();
};

std::vector<LineRole> rolesOf(const std::vector<RoledLine> &lines)
{
    std::vector<LineRole> kinds;
    for (const RoledLine &line : lines)
        kinds.push_back(line.role);
    return kinds;
}

} // namespace

TEST_F(LineRolesTest, TypedPage_CuesSpeechesAndAction)
{
    const QString cue(20, QLatin1Char(' '));
    const QString talk(10, QLatin1Char(' '));
    const QString aside(15, QLatin1Char(' '));
    const QStringList lines{"INT. HALL - DAY",
                            "",
                            "Anna waits.",
                            "",
                            cue + "ANNA (V.O.)",
                            aside + "(quietly)",
                            talk + "Is anyone there? Hello.",
                            "Ben steps in.", // at the edge right under the speech: action
                            "",
                            cue + "BEN",
                            talk + "Only me.",
                            cue + "(MORE)",
                            "[2]",
                            cue + "BEN (CONT'D)",
                            talk + "As ever.",
                            "",
                            cue + "OLD BEN",
                            talk + "Again.",
                            "",
                            cue + "THE END",
                            cue + "    CUT TO:"};
    const std::vector<RoledLine> walked = roles(lines, {true});
    using R = LineRole;
    EXPECT_EQ(
        rolesOf(walked),
        (std::vector<LineRole>{
            R::Heading,  R::Blank, R::Action, R::Blank,    R::Cue,   R::Parenthetical, R::Dialogue,
            R::Action,   R::Blank, R::Cue,    R::Dialogue, R::Other, R::PageMarker,    R::Cue,
            R::Dialogue, R::Blank, R::Cue,    R::Dialogue, R::Blank, R::Other,         R::Other}));
    EXPECT_EQ(walked[4].speaker, 0);
    EXPECT_TRUE(walked[4].newSpeech);
    EXPECT_EQ(walked[6].words, 4);
    // The cue repeated after the page break continues Ben's speech.
    EXPECT_TRUE(walked[9].newSpeech);
    EXPECT_FALSE(walked[13].newSpeech);
    EXPECT_EQ(walked[14].speaker, 1);
    EXPECT_EQ(walked[16].speaker, 1) << "an alias names its character";
    EXPECT_TRUE(walked[16].newSpeech);
    // A cue that names no character starts no counted speech.
    EXPECT_EQ(walked[19].speaker, -1);
    EXPECT_FALSE(walked[19].newSpeech);
}

TEST_F(LineRolesTest, UnmergedContinuedCue_AfterAPageBreak_ContinuesTheSpeech)
{
    // Without merged extensions "BEN (CONT'D)" is a character of its own; its cue after the
    // page break still repeats Ben's, and what follows is Ben's speech.
    options.mergeCueExtensions = false;
    speakers.push_back(characterNamed("BEN (CONT'D)"));
    const QString cue(20, QLatin1Char(' '));
    const QString talk(10, QLatin1Char(' '));
    const QStringList lines{cue + "BEN", talk + "Only me.",    cue + "(MORE)",
                            "[2]",       cue + "BEN (CONT'D)", talk + "As ever.",
                            "",          cue + "BEN (CONT'D)", talk + "Once more."};
    const std::vector<RoledLine> walked = roles(lines, {});
    EXPECT_FALSE(walked[4].newSpeech);
    EXPECT_EQ(walked[5].speaker, 1);
    EXPECT_TRUE(walked[7].newSpeech) << "no page break: a speech of its own";
    EXPECT_EQ(walked[7].speaker, 2);
}

TEST_F(LineRolesTest, TextWithAMargin_KeepsActionAtTheHeadingsEdge)
{
    const QString edge(8, QLatin1Char(' '));
    const QStringList lines{edge + "EXT. YARD - NIGHT", edge + QString(20, ' ') + "ANNA",
                            edge + "  Not yet.", edge + "Rain."};
    EXPECT_EQ(rolesOf(roles(lines, {true})),
              (std::vector<LineRole>{LineRole::Heading, LineRole::Cue, LineRole::Dialogue,
                                     LineRole::Action}));
}

TEST_F(LineRolesTest, Html_TakesTheParagraphAfterACueAsItsSpeech)
{
    const QStringList lines{"<p><b>EXT. HARBOUR - MORNING</b></p> ", "                ANNA",
                            "<p> The boat&#39;s back! </p> ", "<p> Gulls. </p> "};
    const std::vector<RoledLine> walked = roles(lines, {true}, true);
    EXPECT_EQ(rolesOf(walked), (std::vector<LineRole>{LineRole::Heading, LineRole::Cue,
                                                      LineRole::Dialogue, LineRole::Action}));
    EXPECT_EQ(walked[2].words, 3);
    EXPECT_EQ(visibleText(lines[0], true), QStringLiteral("EXT. HARBOUR - MORNING"));
}

TEST(WordCountTest, CountsPiecesWithALetterOrDigit)
{
    EXPECT_EQ(wordCount(QStringLiteral("  Well... -- I've 2 cats!  ")), 4);
    EXPECT_EQ(wordCount(QStringLiteral("-- ... !")), 0);
}
