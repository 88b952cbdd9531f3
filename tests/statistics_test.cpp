#include "scenes/Statistics.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"
#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "scenes/CsvField.h"
#include "scenes/MarkupBuilder.h"
#include "scenes/TimeIndexVector.h"

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One character over scenes that start at 0, 1/n, 2/n ... and are 1/n long.
TimeIndexVector oneCharacterIndex(const QVector<qint32> &counters, const CharacterPtr &character)
{
    TimeIndexVector index(CharacterList{character});
    const float length = 1.0f / static_cast<float>(counters.size());
    for (int i = 0; i < counters.size(); ++i) {
        index.addScene(static_cast<float>(i) * length, "INT");
        index.scenes.back().counts[0] = counters.at(i);
    }
    index.scenes.back().end = 1.0f;
    return index;
}

QStringList csvLines(const QString &text)
{
    QStringList lines = text.split('\n');
    EXPECT_EQ(lines.takeLast(), QString()); // every line ends with "\n"
    return lines;
}

} // namespace

TEST(Statistics, CharacterStats_RunsStartAndStop)
{
    const auto anna = std::make_shared<Character>(QStringList{"ANNA", "B"});
    anna->count = 7;
    TimeIndexVector index = oneCharacterIndex({1, 0, 2, 0}, anna);
    const QStringList lines = csvLines(characterStatsCsv(index));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(
        lines[0],
        QString("characters,NumScenes,NumDialogueLines,NumInstances,PerInvolved,Start,Stop,"));
    EXPECT_EQ(lines[1], QString("ANNA B ,2,3,7,0.5,0,0.75,"));
    const CharacterStatistics row = characterStatistics(index).at(0);
    EXPECT_EQ(row.numScenes, 2);
    EXPECT_EQ(row.numDialogueLines, 3);
    EXPECT_FLOAT_EQ(row.perInvolved, 0.5f);
    EXPECT_EQ(row.startTime, 0.0f);
    EXPECT_EQ(row.stopTime, 0.75f);

    // Present up to the last scene: the run stops where the screenplay ends.
    TimeIndexVector open = oneCharacterIndex({0, 3, 3}, anna);
    EXPECT_EQ(csvLines(characterStatsCsv(open))[1], QString("ANNA B ,2,6,7,0.666667,0.333333,1,"));
    EXPECT_FLOAT_EQ(characterStatistics(open).at(0).startTime, 1.0f / 3.0f);
    // An earlier run closed, the last one open: the open one decides.
    TimeIndexVector twoRuns = oneCharacterIndex({1, 0, 0, 2}, anna);
    EXPECT_EQ(csvLines(characterStatsCsv(twoRuns))[1], QString("ANNA B ,2,3,7,0.5,0,1,"));

    // Absent everywhere; values from the previous run must not survive.
    TimeIndexVector never = oneCharacterIndex({0, 0}, anna);
    EXPECT_EQ(csvLines(characterStatsCsv(never))[1], QString("ANNA B ,0,0,7,0,-1,-1,"));
}

// The sample screenplays end with everyone of their last scene present: each such run stops at
// the end (1), and runs that ended earlier keep where they ended.
TEST(Statistics, CharacterStats_RunsOpenAtTheEndStopAtOne)
{
    AnalysisSession examples(SettingsPaths::in(QStringLiteral(QUILLMARK_SOURCE_DIR "/examples")));
    examples.readSettings();
    const auto stops = [&](const QString &name) {
        const auto analysis = examples.analyse(corpusFile(name));
        QMap<QString, float> byName;
        const std::vector<CharacterStatistics> rows = characterStatistics(*analysis->timeIndex);
        for (size_t k = 0; k < rows.size(); ++k)
            byName.insert(analysis->timeIndex->characters[k]->displayText(), rows[k].stopTime);
        return byName;
    };
    const QMap<QString, float> leeks = stops(QStringLiteral("the_leek_show.fdx"));
    EXPECT_EQ(leeks.value("FRANK "), 1.0f);
    EXPECT_EQ(leeks.value("EDITH "), 1.0f);
    EXPECT_EQ(leeks.value("MILO "), 1.0f);
    const QMap<QString, float> bob = stops(QStringLiteral("cyber_bob_ep1.txt"));
    EXPECT_EQ(bob.value("BOB "), 1.0f);
    EXPECT_EQ(bob.value("DOG "), 1.0f);
    EXPECT_NEAR(bob.value("MARGARET "), 0.419162f, 1e-5f);
}

TEST(Statistics, SceneStats_WorkedExampleRows)
{
    ParseCase doc =
        parseCase({"INT. HOUSE - DAY", "JOHN", "Hello there."}, {characterNamed("JOHN")});
    const StageProgress progress;
    const Analysis &parsed = doc.parse(progress);
    EXPECT_EQ(sceneStatsCsv(*parsed.timeIndex, parsed.textLines.size()),
              QString("SceneNumber,Type,NumCharacters,Start,Stop,Length,NumLines,startPage,"
                      "endPage,Characters,\n"
                      "0,START,0,0,0,0,0,0,0,,\n"
                      "1,int.,1,0,1,1,3,0,0,JOHN ;,\n"));
}

TEST(Statistics, SceneStats_PagesCharactersAndLineCounts)
{
    const CharacterList cast{std::make_shared<Character>(QStringList{"A"}),
                             std::make_shared<Character>(QStringList{"B", "C"}),
                             std::make_shared<Character>(QStringList{"D"})};
    TimeIndexVector index(cast);
    index.addScene(0.0f, "START");
    index.addPage(2);
    index.addPage(3);
    index.addScene(0.1f, "a,b"); // a comma in the type is quoted
    index.countCharacter(2);
    index.countCharacter(1);
    index.scenes.back().end = 1.0f;
    const QStringList lines = csvLines(sceneStatsCsv(index, 7));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QString("0,START,0,0,0.1,0.1,0,2,3,,"));
    // 0.9 of 7 lines is 6.3, truncated; characters in index order.
    EXPECT_EQ(lines[2], QString("1,\"a,b\",2,0.1,1,0.9,6,3,3,B C ;D ;,"));
}

TEST(Statistics, Write_FilesAreRepeatableAndUnwritablePathsFail)
{
    ScratchDir dir;
    const auto anna = std::make_shared<Character>(QStringList{"ANNA"});
    TimeIndexVector index = oneCharacterIndex({1, 0, 2, 0}, anna);
    const QString first = dir.file("first.csv");
    const QString second = dir.file("second.csv");
    ASSERT_TRUE(writeCharacterStats(first, index));
    ASSERT_TRUE(writeCharacterStats(second, index));
    EXPECT_EQ(readBytes(first), readBytes(second));
    EXPECT_TRUE(readBytes(first).startsWith("characters,NumScenes,"));

    ASSERT_TRUE(writeSceneStats(dir.file("scenes.csv"), index, 4));
    EXPECT_EQ(readBytes(dir.file("scenes.csv")), sceneStatsCsv(index, 4).toLatin1());

    EXPECT_FALSE(writeCharacterStats(QString(), index));
    EXPECT_FALSE(writeSceneStats(dir.file("missing/folder/x.csv"), index, 4));
    EXPECT_FALSE(QFile::exists(dir.file("missing/folder/x.csv")));
}

TEST(Statistics, Corpus_SceneRowsCarryPagesAndNameThePresent)
{
    const ScreenplayText read = readScreenplayFile(corpusFile("cyber_bob_ep1.txt"));
    ASSERT_TRUE(read.ok());
    const QStringList screenplay = read.lines;
    ParseCase doc = parseCase(
        screenplay, {characterNamed("BOB"), characterNamed("MARGARET"), characterNamed("DOG")});
    const StageProgress progress;
    const Analysis &parsed = doc.parse(progress);
    const QStringList lines = csvLines(sceneStatsCsv(*parsed.timeIndex, parsed.textLines.size()));
    ASSERT_EQ(lines.size(), 5);
    // Headings on lines 26, 141 and 168 of the file; page markers [1] .. [6] at column 0.
    // The title line names BOB; the third scene has no marker and keeps page 3.
    // Type, NumCharacters, startPage, endPage and Characters of each row; the positions
    // are checked elsewhere.
    const QStringList expected{"START,1,1,1,BOB ;", "ext.,3,1,3,BOB ;MARGARET ;DOG ;",
                               "ext.,1,3,3,BOB ;", "int.,2,3,6,BOB ;DOG ;"};
    for (int i = 0; i < 4; ++i) {
        const QStringList fields = lines[i + 1].split(',');
        ASSERT_EQ(fields.size(), 11) << lines[i + 1].toStdString();
        EXPECT_EQ(QStringList({fields[1], fields[2], fields[7], fields[8], fields[9]}).join(','),
                  expected.at(i));
    }
    const std::vector<CharacterStatistics> rows = characterStatistics(*parsed.timeIndex);
    EXPECT_EQ(rows[0].numDialogueLines, 26);
    EXPECT_EQ(rows[1].numScenes, 1);
    EXPECT_EQ(rows[2].numDialogueLines, 22);
    EXPECT_FLOAT_EQ(rows[1].stopTime, 140.0f / 334.0f);
}

TEST(Statistics, CsvField_QuotedWhenNeededAndNeverAFormula)
{
    EXPECT_EQ(csvField("BOB "), QString("BOB "));
    EXPECT_EQ(csvField("GIDEON, TEX & SCOBIE "), QString("\"GIDEON, TEX & SCOBIE \""));
    EXPECT_EQ(csvField("THE \"KID\""), QString("\"THE \"\"KID\"\"\""));
    EXPECT_EQ(csvField("A\nB"), QString("\"A\nB\""));
    EXPECT_EQ(csvField("=HYPERLINK(1)"), QString("'=HYPERLINK(1)"));
    EXPECT_EQ(csvField("+1;@2"), QString("'+1;@2"));
    EXPECT_EQ(csvField("@A,B"), QString("\"'@A,B\""));
    EXPECT_EQ(csvField("-1"), QString("-1"));
    EXPECT_EQ(csvField("-2.5e3"), QString("-2.5e3"));
    EXPECT_EQ(csvField("+7"), QString("+7"));
    EXPECT_EQ(csvField("-2+3+CMD|' /C CALC'!A0"), QString("'-2+3+CMD|' /C CALC'!A0"));
    EXPECT_EQ(csvField("-"), QString("'-"));
}
