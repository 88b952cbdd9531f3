#include "scenes/TimedMarkup.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"
#include "scenes/Statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A time-coded screenplay: its suffix chooses the timed markup.
ParseCase timedCase(const QStringList &lines, const CharacterList &characters)
{
    ParseCase timed = parseCase(lines, characters, {});
    timed.screenplay.fileSuffix = "csv";
    return timed;
}

QString runTimed(ParseCase &timed, const StageProgress &progress = {})
{
    return markupOf(timed.parse(progress));
}

StageProgress cancelAtOnce()
{
    StageProgress progress;
    progress.canceled = [] {
        return true;
    };
    return progress;
}

void expectFinite(const TimeIndexVector &index, int lineCount)
{
    for (const Scene &scene : index.scenes) {
        EXPECT_TRUE(std::isfinite(scene.start));
        EXPECT_TRUE(std::isfinite(scene.end));
    }
    TimeIndexVector copy = index;
    const QString csv = sceneStatsCsv(index, lineCount) + characterStatsCsv(copy);
    EXPECT_FALSE(csv.contains("nan", Qt::CaseInsensitive)) << csv.toStdString();
    EXPECT_FALSE(csv.contains("inf", Qt::CaseInsensitive)) << csv.toStdString();
}

} // namespace

TEST(TimedMarkup, Records_FightAndBreakScenesBeforeAndAfterNormalising)
{
    const CharacterPtr anna = characterNamed("ANNA");
    const CharacterPtr ben = characterNamed("BEN");
    ParseCase doc =
        timedCase({"3.5,2.0,\"[ANNA, BEN]\"", "7,1", "BREAKFAST,1,2", "break,1"}, {anna, ben});
    EXPECT_EQ(runTimed(doc), QString("3.5,2.0,&quot;[ANNA, BEN]&quot;<br>7,1<br>break,1<br>"));
    const std::vector<Scene> &scenes = doc.analysis->timeIndex->scenes;
    // Per record a fight and a break scene, then the end scene.
    ASSERT_EQ(scenes.size(), 7u);
    const QStringList types{"fight", "break", "fight", "break", "fight", "break", "end"};
    for (size_t i = 0; i < scenes.size(); ++i)
        EXPECT_EQ(scenes[i].type, types.at(static_cast<int>(i)));
    EXPECT_EQ(scenes[0].counts, (QVector<qint32>{1, 1}));
    EXPECT_EQ(scenes[1].counts, (QVector<qint32>{0, 0}));
    // "break,1": a lower-case break is processed; its start is no number and reads 0.
    // Times before normalising: 3.5-5.5, 5.5-7, 7-8, 8-0, 0-1, 1-0, end 0-1; first start
    // 3.5 and last end 1 give the span -2.5.
    const float span = 1.0f - 3.5f;
    const float raw[7][2] = {{3.5f, 5.5f}, {5.5f, 7.0f}, {7.0f, 8.0f}, {8.0f, 0.0f},
                             {0.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
    for (size_t i = 0; i < scenes.size(); ++i) {
        EXPECT_FLOAT_EQ(scenes[i].start, (raw[i][0] - 3.5f) / span) << i;
        EXPECT_FLOAT_EQ(scenes[i].end, (raw[i][1] - 3.5f) / span) << i;
    }
}

TEST(TimedMarkup, Names_LastMatchCountsAndBracketsAndBlanksGo)
{
    const CharacterPtr first = characterNamed("ANNA");
    const CharacterPtr second = characterNamed("anna");
    const CharacterPtr ben = characterNamed("BEN");
    ParseCase doc =
        timedCase({"0,1,\"['ANNA' , BEN,,ZED]\"", "1,1,\"ANNA\" \"BEN\""}, {first, second, ben});
    runTimed(doc);
    const std::vector<Scene> &scenes = doc.analysis->timeIndex->scenes;
    ASSERT_EQ(scenes.size(), 5u);
    // Case is ignored by default, so both ANNA records match; only the last is counted.
    EXPECT_EQ(scenes[0].counts, (QVector<qint32>{0, 1, 1}));
    // Four quotes make five parts: no names are read.
    EXPECT_EQ(scenes[2].counts, (QVector<qint32>{0, 0, 0}));

    doc = timedCase({"0,1,\"ANNA\""}, {first, second, ben});
    doc.settings().options.caseSensitive = true;
    runTimed(doc);
    EXPECT_EQ(doc.analysis->timeIndex->scenes[0].counts, (QVector<qint32>{1, 0, 0}));
}

// Names are looked up through the word filter; loose names found inside a record's name, a
// first word alone and an alias must still count as asking every character would.
TEST(TimedMarkup, Names_LooseInsideFirstWordAndAliasStillMatch)
{
    const CharacterPtr ann = characterNamed("ANN");
    const CharacterPtr annabel = characterNamed("ANNABEL");
    const CharacterPtr mary = characterNamed("MARY JANE");
    const CharacterPtr doc = characterNamed("DOCTOR", {{"DOC"}});
    ParseCase loose = timedCase({"0,1,\"[ANNABEL, MARY, DOC, XANNX]\""}, {ann, annabel, mary, doc});
    loose.settings().options.looseMatch = true;
    runTimed(loose);
    // XANNX holds only ANN; ANNABEL holds both and counts the last; DOC is DOCTOR's alias.
    EXPECT_EQ(loose.analysis->timeIndex->scenes[0].counts, (QVector<qint32>{1, 1, 1, 1}));

    ParseCase exact = timedCase({"0,1,\"[ANNABEL, MARY, DOC, XANNX]\""}, {ann, annabel, mary, doc});
    runTimed(exact);
    EXPECT_EQ(exact.analysis->timeIndex->scenes[0].counts, (QVector<qint32>{0, 1, 1, 1}));
}

TEST(TimedMarkup, NothingProcessedOrSpanZero_StaysFinite)
{
    ParseCase none = timedCase({"BREAK", "a BREAK b"}, {characterNamed("ANNA")});
    EXPECT_EQ(runTimed(none), QString());
    ASSERT_EQ(none.analysis->timeIndex->scenes.size(), 1u);
    EXPECT_EQ(none.analysis->timeIndex->scenes[0].type, QString("end"));
    EXPECT_EQ(none.analysis->timeIndex->scenes[0].start, 0.0f);
    EXPECT_EQ(none.analysis->timeIndex->scenes[0].end, 0.0f);
    expectFinite(*none.analysis->timeIndex, 2);

    ParseCase cancelled = timedCase({"1,2,\"ANNA\""}, {characterNamed("ANNA")});
    EXPECT_EQ(runTimed(cancelled, cancelAtOnce()), QString());
    EXPECT_EQ(cancelled.analysis->timeIndex->scenes.size(), 1u);
    expectFinite(*cancelled.analysis->timeIndex, 1);

    // Equal times everywhere and a missing duration.
    ParseCase flat = timedCase({"5", "5,0"}, {characterNamed("ANNA")});
    runTimed(flat);
    expectFinite(*flat.analysis->timeIndex, 2);
    EXPECT_EQ(flat.analysis->timeIndex->scenes.size(), 5u);
}

TEST(TimedMarkup, BrokenTimes_RecordKeptInTextButMakesNoScene)
{
    const QStringList lines{"1,2,\"ANNA\"", "nan,inf",   "inf,-inf,\"ANNA\"", "4,-1,\"ANNA\"",
                            "-3,1",         "3e38,3e38", "1e400,1",           "5,1e9",
                            "start,length", "6,1"};
    ParseCase timed = timedCase(lines, {characterNamed("ANNA")});
    const MarkupResult made = markupTimed(timed.sources(), StageProgress());
    EXPECT_EQ(made.skippedRecords, 7);
    EXPECT_EQ(QString::fromUtf8(made.html).count("<br>"), lines.size());
    // The kept records: 1-3 with ANNA, the header line at 0, 6-7, and the end scene.
    const std::vector<Scene> &scenes = made.index->scenes;
    ASSERT_EQ(scenes.size(), 7u);
    EXPECT_EQ(scenes[0].counts, (QVector<qint32>{1}));
    expectFinite(*made.index, lines.size());
}
