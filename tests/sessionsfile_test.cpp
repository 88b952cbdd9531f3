#include "reader/SessionsFile.h"

#include "TestSupport.h"
#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "scenes/ResearchName.h"

#include <gtest/gtest.h>

namespace {

using Groups = std::vector<std::vector<QString>>;

// The steps by name, for comparisons that read like the file.
std::vector<Groups> named(const SessionsText &sessions)
{
    std::vector<Groups> steps;
    for (const StorylineSteps::Step &step : sessions.steps.steps) {
        Groups groups;
        for (const StorylineSteps::Group &group : step) {
            groups.emplace_back();
            for (const int member : group)
                groups.back().push_back(sessions.names.at(member));
        }
        steps.push_back(groups);
    }
    return steps;
}

} // namespace

TEST(SessionsFile, Lines_AreStepsOfTabSeparatedGroupsOfTrimmedNames)
{
    const SessionsText sessions = parseSessions({QStringLiteral(" Luke ,Han  Solo\tLeia"),
                                                 QString(), QStringLiteral("Leia,Luke,Luke\t\t,")});
    ASSERT_TRUE(sessions.error.isEmpty()) << sessions.error.toStdString();
    EXPECT_EQ(sessions.names, (QStringList{"Luke", "Han Solo", "Leia"}));
    EXPECT_EQ(sessions.steps.characterCount, 3);
    const std::vector<Groups> expected = {{{"Luke", "Han Solo"}, {"Leia"}}, {}, {{"Leia", "Luke"}}};
    EXPECT_EQ(named(sessions), expected);
}

TEST(SessionsFile, Mistakes_NameTheLineOrSayWhatTheFileLacks)
{
    EXPECT_EQ(parseSessions({QStringLiteral("A,B"), QStringLiteral("A\tC,A")}).error,
              QStringLiteral("line 2: A is in two groups of one step"));
    EXPECT_TRUE(
        parseSessions({QString(), QStringLiteral("\t ,")}).error.startsWith("names nobody"));
}

TEST(SessionsFile, ReadBySuffix_KeepsTabsAndRefusesAFileThatIsNotOne)
{
    const ScratchDir scratch;
    const QString good = scratch.write(QStringLiteral("a.Storyline"), "A,B\tC\n\nC,A\n");
    const ScreenplayText read = readScreenplayFile(good);
    EXPECT_EQ(read.format, QStringLiteral("storyline"));
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.lines, (QStringList{"A,B\tC", "", "C,A"}));

    const ScreenplayText bad =
        readScreenplayFile(scratch.write(QStringLiteral("b.storyline"), "A\tA\n"));
    EXPECT_EQ(bad.error, QStringLiteral("line 1: A is in two groups of one step"));
    EXPECT_TRUE(bad.lines.isEmpty()) << "no line of the typed screenplay's failure text";
}

TEST(SessionsFile, Analysed_OneSceneAStepCountingMembersAndKeepingTheGroups)
{
    const ScratchDir scratch;
    const QString path = scratch.write(QStringLiteral("s.storyline"), "A,B\tC\n\nC,A\nA\n");
    AnalysisSession session(SettingsPaths::in(scratch.path()));
    session.readSettings();
    const std::shared_ptr<const Analysis> analysis = session.analyse(path);
    ASSERT_TRUE(analysis->readError.isEmpty());
    const TimeIndexVector &index = *analysis->timeIndex;
    ASSERT_EQ(index.scenes.size(), 4u);
    // Most steps first, as discovery sorts.
    QStringList names;
    for (const CharacterPtr &character : index.characters)
        names.append(researchName(*character));
    EXPECT_EQ(names, (QStringList{"A", "C", "B"}));
    EXPECT_EQ(index.scenes[0].counts, (QVector<qint32>{1, 1, 1}));
    EXPECT_EQ(index.scenes[1].counts, (QVector<qint32>{0, 0, 0}));
    EXPECT_EQ(index.scenes[3].counts, (QVector<qint32>{1, 0, 0}));

    const StorylineSteps steps = analysis->storylineSteps();
    ASSERT_EQ(steps.steps.size(), 4u);
    EXPECT_EQ(steps.steps[0], (StorylineSteps::Step{{0, 2}, {1}})) << "two groups, index numbers";
    EXPECT_TRUE(steps.steps[1].empty());
    EXPECT_EQ(steps.steps[2], (StorylineSteps::Step{{1, 0}}));
}
