#include "facts/ScriptFacts.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"
#include "document/AnalysisSession.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

const CharacterFacts &named(const ScriptFacts &facts, const QString &name)
{
    for (const CharacterFacts &character : facts.characters) {
        if (character.name == name)
            return character;
    }
    ADD_FAILURE() << "no character " << name.toStdString();
    static const CharacterFacts none;
    return none;
}

} // namespace

TEST(ScriptFactsTest, SmallScreenplay_ScenesCharactersLocationsAndNetwork)
{
    const QString cue(20, QLatin1Char(' '));
    const QString talk(10, QLatin1Char(' '));
    ParseCase play =
        parseCase({cue + "TITLE", "", "[1]", "INT. HALL - NIGHT", "", "ANNA and BEN wait.", "",
                   cue + "ANNA", talk + "One two three.", "", "EXT. YARD - DAY", "", cue + "BEN",
                   talk + "Four five.", "", "INT. HALL - DAY", "Nobody."},
                  {characterNamed("ANNA"), characterNamed("BEN")});
    const ScriptFacts facts = scriptFacts(play.parse());

    // The title page before the first heading is no scene.
    ASSERT_EQ(facts.scenes.size(), size_t(3));
    const SceneFacts &hall = facts.scenes[0];
    EXPECT_EQ(hall.number, 1);
    EXPECT_EQ(hall.heading, QStringLiteral("INT. HALL - NIGHT"));
    EXPECT_EQ(hall.interior + '|' + hall.location + '|' + hall.time,
              QStringLiteral("INT|HALL|NIGHT"));
    EXPECT_EQ(hall.characters, (std::vector<int>{0, 1}));
    EXPECT_EQ(hall.actionLines, 1);
    EXPECT_EQ(hall.dialogueLines, 1);
    EXPECT_EQ(hall.speeches, 1);
    EXPECT_EQ(hall.eighths, 1); // 7 of a 55-line page
    EXPECT_TRUE(facts.scenes[2].characters.empty());

    const CharacterFacts &anna = named(facts, "ANNA");
    EXPECT_EQ(anna.speeches, 1);
    EXPECT_EQ(anna.dialogueWords, 3);
    EXPECT_DOUBLE_EQ(anna.speakingSeconds, 3 / wordsPerSecond);
    EXPECT_DOUBLE_EQ(anna.dialogueShare, 0.6);
    EXPECT_EQ(anna.locations, QStringList{"HALL"});
    const CharacterFacts &ben = named(facts, "BEN");
    EXPECT_EQ(ben.scenes, 2);
    EXPECT_EQ(ben.firstScene, 1);
    EXPECT_EQ(ben.lastScene, 2);
    EXPECT_EQ(ben.locations, (QStringList{"HALL", "YARD"}));
    EXPECT_EQ(ben.degree, 1);
    EXPECT_EQ(ben.weightedDegree, 1);

    ASSERT_EQ(facts.locations.size(), size_t(2));
    EXPECT_EQ(facts.locations[0].name, QStringLiteral("HALL"));
    EXPECT_EQ(facts.locations[0].sceneNumbers, (std::vector<int>{1, 3}));
    EXPECT_EQ(facts.locations[0].times.size(), size_t(2));

    const ScriptTotals &script = facts.script;
    EXPECT_EQ(script.scenes, 3);
    EXPECT_EQ(script.speakingCharacters, 2);
    EXPECT_DOUBLE_EQ(script.dialogueShare, 2.0 / 4.0);
    EXPECT_EQ(script.eighths, 2); // 15 lines after the title page
    EXPECT_DOUBLE_EQ(script.runningMinutes, 0.25);
    ASSERT_EQ(script.interiors.size(), size_t(2));
    EXPECT_EQ(script.interiors[0].value + QString::number(script.interiors[0].scenes), "INT2");
    EXPECT_EQ(script.times[0].value + QString::number(script.times[0].scenes), "DAY2");
    EXPECT_EQ(script.network.edges, 1);
}

// Every format of the two public-domain screenplays against the true cast, counted from the
// Fountain source: the speeches of every character and the headed scenes.
TEST(ScriptFactsTest, CorpusScreenplays_MatchTheTrueCastInEveryFormat)
{
    AnalysisSession examples(SettingsPaths::in(QStringLiteral(QUILLMARK_SOURCE_DIR "/examples")));
    examples.readSettings();
    for (const QString base : {"cyber_bob_ep1", "the_library_freak_out"}) {
        const QJsonObject truth =
            QJsonDocument::fromJson(readBytes(corpusFile(base + ".cast.json"))).object();
        const QJsonObject cast = truth.value("cast").toObject();
        for (const QString suffix : {".fountain", ".fdx", ".html", ".pdf", ".txt"}) {
            const auto analysis = examples.analyse(corpusFile(base + suffix));
            const ScriptFacts facts = scriptFacts(*analysis);
            const std::string file = (base + suffix).toStdString();
            EXPECT_EQ(facts.script.scenes, truth.value("scenes_headed").toInt()) << file;
            EXPECT_EQ(facts.script.speakingCharacters, cast.size()) << file;
            for (const CharacterFacts &character : facts.characters) {
                const int cues = cast.value(character.name).toObject().value("cues").toInt();
                EXPECT_EQ(character.speeches, cues) << file << " " << character.name.toStdString();
            }
        }
    }
}
