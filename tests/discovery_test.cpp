#include "characters/CharacterDiscovery.h"

#include "TestSupport.h"
#include "reader/ScreenplayReader.h"
#include "support/StageProgress.h"

#include <gtest/gtest.h>

namespace {

// Cancels once `linesBeforeCancel` lines were treated; records what the dialog would be told
// (the title names the characters found so far, as the window's does).
class RecordingProgress
{
public:
    explicit RecordingProgress(int linesBeforeCancel = -1)
        : m_limit(linesBeforeCancel)
    {
    }
    operator StageProgress()
    {
        StageProgress progress;
        progress.progressed = [this](int value, int found) {
            values.append(value);
            if (found >= 0)
                titles.append(QStringLiteral("Finding characters: ") + QString::number(found));
        };
        progress.canceled = [this] {
            return m_limit >= 0 && values.size() >= m_limit;
        };
        return progress;
    }

    QList<int> values;
    QStringList titles;

private:
    int m_limit;
};

QString cue(int blanks, const QString &text)
{
    return QString(blanks, QLatin1Char(' ')) + text;
}

CharacterPtr include(const QString &name, const QList<QStringList> &aliases = {})
{
    auto character = std::make_shared<Character>(name.split(QLatin1Char(' ')));
    character->aliases = aliases;
    return character;
}

class Discovery : public testing::Test
{
protected:
    // The display texts of the characters found in `lines`, in list order.
    QStringList discoverText(const QStringList &lines)
    {
        RecordingProgress progress;
        found = discoverTextCharacters(lines, includeCharacters, options, palette, progress);
        return names();
    }

    QStringList discoverCsv(const QStringList &lines)
    {
        RecordingProgress progress;
        found = discoverCsvCharacters(lines, includeCharacters, options, palette, progress);
        return names();
    }

    QStringList names() const
    {
        QStringList result;
        for (const CharacterPtr &c : found.characters)
            result.append(c->names.join(QLatin1Char(' ')));
        return result;
    }

    CharacterPtr character(const QString &name) const
    {
        for (const CharacterPtr &c : found.characters) {
            if (c->names.join(QLatin1Char(' ')) == name)
                return c;
        }
        return nullptr;
    }

    // What a discovery is given and what it found, back to a fresh start.
    void reset()
    {
        includeCharacters.clear();
        options = AnalysisOptions();
        palette.clear();
        found = DiscoveredCharacters();
    }

    CharacterList includeCharacters;
    AnalysisOptions options;
    QVector<QColor> palette;
    DiscoveredCharacters found;
};

} // namespace

TEST_F(Discovery, SpeakerLine_NeedsMoreBlanksThanTheThreshold)
{
    EXPECT_EQ(discoverText({cue(20, "BOB"), cue(20, "ANN"), cue(15, "EVE"), cue(15, "EVE"),
                            cue(20, "   "), "\tTOM", cue(16, "\tTOM")}),
              (QStringList{"BOB", "ANN"}));
    EXPECT_EQ(character("BOB")->indent, 20);
    EXPECT_EQ(character("BOB")->count, 1);
    EXPECT_EQ(found.speakerIndent, 20);
}

TEST_F(Discovery, SpeakerLine_NameWordsAreTheUpperCaseTokens)
{
    EXPECT_EQ(
        discoverText({cue(20, "BOB (V.O.)"), cue(20, "BOB (cont'd)"), cue(20, "BOB"),
                      cue(20, "Bob"), cue(20, "12"), cue(20, "MARY  JANE"), cue(20, "said MAX")}),
        (QStringList{"BOB", "BOB (V.O.)", "12", "MARY JANE", "MAX"}));
    EXPECT_EQ(character("BOB")->count, 2);
}

TEST_F(Discovery, Filters_CountThenMostFrequentIndent)
{
    options.minCharacterInstances = 1;
    // ZED is seen once and dropped; of the rest, three share indent 20 and one has 30.
    EXPECT_EQ(discoverText({cue(20, "BOB"), cue(20, "BOB"), cue(20, "ANN"), cue(20, "ANN"),
                            cue(20, "ANN"), cue(20, "EVE"), cue(20, "EVE"), cue(30, "TITLE"),
                            cue(30, "TITLE"), cue(40, "ZED")}),
              (QStringList{"ANN", "BOB", "EVE"}));
    EXPECT_EQ(found.speakerIndent, 20);
}

TEST_F(Discovery, Filters_AllIndentsDifferentLeavesOnlyIndentZero)
{
    EXPECT_TRUE(discoverText({cue(20, "BOB"), cue(25, "ANN"), cue(30, "EVE")}).isEmpty());
    EXPECT_EQ(found.speakerIndent, 0);
}

TEST_F(Discovery, MergeCueExtensions_EveryVariantIsOnePerson)
{
    const QStringList lines{cue(20, "EDWARD"),
                            cue(20, "EDWARD (V.O.)"),
                            cue(20, "EDWARD (CONT'D)"),
                            cue(20, "EDWARD (V.O.)(CONT'D)"),
                            cue(20, "EDWARD (V.O.) (CONT'D)"),
                            cue(20, "BRICK ^"),
                            cue(20, "BRICK^"),
                            cue(20, "O\u2019HARA (O.S.)"),
                            cue(20, "O'HARA"),
                            cue(20, "(MORE)"),
                            cue(20, "(CONT'D)"),
                            cue(35, "CUT TO:")};
    // By default each spelling is its own character.
    EXPECT_EQ(discoverText(lines).size(), 11);

    reset();
    options.mergeCueExtensions = true;
    EXPECT_EQ(discoverText(lines), (QStringList{"EDWARD", "BRICK", "O'HARA"}));
    EXPECT_EQ(character("EDWARD")->count, 5);
    EXPECT_EQ(character("BRICK")->count, 2);
    EXPECT_EQ(character("O'HARA")->count, 2);
    EXPECT_EQ(found.speakerIndent, 20);
}

TEST_F(Discovery, MergeCueExtensions_SpeechCutByAPageIsOneSpeech)
{
    const QStringList lines{cue(20, "12 - EDWARD"),
                            cue(10, "It was"),
                            cue(20, "(MORE)"),
                            "[2]",
                            "",
                            cue(20, "13 - EDWARD (CONT'D)"),
                            cue(10, "the door."),
                            "[3]",
                            cue(20, "EDWARD (cont'd)"),
                            cue(10, "Locked."),
                            "",
                            "He goes.",
                            "[4]",
                            cue(20, "EDWARD (CONT'D)"),
                            cue(10, "Again."),
                            "",
                            cue(20, "14. ANN"),
                            cue(10, "No."),
                            cue(15, "(MORE)"),
                            "[5]",
                            cue(20, "EDWARD"),
                            cue(10, "Yes.")};
    // Without the option each spelling stays its own speaker, as the Parts have it.
    EXPECT_EQ(discoverText(lines).size(), 6);
    EXPECT_EQ(character("EDWARD")->count, 2); // "EDWARD (cont'd)" among them

    reset();
    options.mergeCueExtensions = true;
    // Continued after "(MORE)" and after a page the speech ran to; new after action or
    // another speaker.
    EXPECT_EQ(discoverText(lines), (QStringList{"EDWARD", "ANN"}));
    EXPECT_EQ(character("EDWARD")->count, 3);
    EXPECT_EQ(character("ANN")->count, 1);
}

TEST_F(Discovery, TypedText_TitlePageAndTitleCardsNameNobody)
{
    const QStringList lines{cue(20, "THE GREAT ESCAPE"),
                            "",
                            cue(20, "WRITTEN BY"),
                            "",
                            cue(20, "JOHN DOE"),
                            "Second Draft",
                            "[1]",
                            "INT. HOUSE - DAY",
                            "",
                            cue(20, "ANN"),
                            cue(10, "Hello."),
                            "",
                            cue(20, "BOB"),
                            cue(15, "(softly)"),
                            cue(10, "Hi."),
                            "",
                            cue(20, "ANN"),
                            "",
                            cue(10, "Bye."),
                            "",
                            cue(20, "THE END")};
    options.mergeCueExtensions = true;
    EXPECT_EQ(discoverText(lines).size(), 6); // read as HTML or a laid-out format would be
    reset();
    options.mergeCueExtensions = options.typedText = true;
    EXPECT_EQ(discoverText(lines), (QStringList{"ANN", "BOB"}));
    EXPECT_EQ(character("ANN")->count, 2);

    // Typed without indented dialogue: the cues are all there is.
    reset();
    options.mergeCueExtensions = options.typedText = true;
    EXPECT_EQ(discoverText({"INT. HOUSE", cue(20, "ANN"), "Hello.", cue(20, "BOB"), "Hi."}),
              (QStringList{"ANN", "BOB"}));
}

TEST_F(Discovery, SingleSpeaker_IsFoundWhateverTheOptions)
{
    const QStringList lines{"INT. ROOM", cue(20, "BOB"), cue(10, "Hello."), cue(20, "BOB"),
                            cue(10, "Anyone?")};
    EXPECT_EQ(discoverText(lines), QStringList{"BOB"});
    EXPECT_EQ(found.speakerIndent, 20);
    reset();
    options.mergeCueExtensions = true;
    EXPECT_EQ(discoverText(lines), QStringList{"BOB"});
}

TEST_F(Discovery, WholeNameMatch_IncludeCountsOnlyWhereAllWordsStand)
{
    includeCharacters = {include("A VOICE")};
    const QStringList lines{"a dog barks", "we hear A VOICE", "the voice again"};
    discoverText(lines);
    EXPECT_EQ(character("A VOICE")->count, 3);

    reset();
    includeCharacters = {include("A VOICE")};
    options.wholeNameMatch = true;
    discoverText(lines);
    EXPECT_EQ(character("A VOICE")->count, 1);
}

TEST_F(Discovery, Sort_ByCountWithTiesInDiscoveryOrder)
{
    EXPECT_EQ(discoverText(
                  {cue(20, "CAL"), cue(20, "ANN"), cue(20, "BOB"), cue(20, "BOB"), cue(20, "DON")}),
              (QStringList{"BOB", "CAL", "ANN", "DON"}));
}

TEST_F(Discovery, Include_PartialMatchesCountedOnDialogueAndSpeakerLines)
{
    includeCharacters = {include("JOHN SMITH")};
    EXPECT_EQ(
        discoverText({"JOHN DOE walks in.", cue(20, "ANN"), cue(20, "ANN"), cue(20, "JOHN SMITH")}),
        (QStringList{"JOHN SMITH", "ANN"}));
    const CharacterPtr john = character("JOHN SMITH");
    // The very object from the include list, counted once on the dialogue line and twice
    // (speaker and include) on the cue.
    EXPECT_EQ(john, includeCharacters.front());
    EXPECT_EQ(john->count, 3);
    EXPECT_EQ(john->indent, 20);
}

TEST_F(Discovery, Include_LongestNameWinsAndIndentIsThatOfTheLastLine)
{
    includeCharacters = {include("BOB"), include("BOB STONE")};
    discoverText({"BOB STONE waves", "then BOB", cue(20, "ANN"), cue(20, "EVE")});
    // A lone BOB is also a partial match of BOB STONE, which has more words and wins.
    EXPECT_EQ(includeCharacters[0]->count, 0);
    EXPECT_EQ(includeCharacters[1]->count, 2);
    // Both were last counted on lines without lead, so the indent filter drops them.
    EXPECT_EQ(names(), (QStringList{"ANN", "EVE"}));
}

TEST_F(Discovery, Include_TieGoesToTheEarlierEntry)
{
    includeCharacters = {include("ANN"), include("ANNA")};
    options.looseMatch = true;
    discoverText({"ANNA arrives"});
    EXPECT_EQ(includeCharacters[0]->count, 1);
    EXPECT_EQ(includeCharacters[1]->count, 0);
}

TEST_F(Discovery, Include_LooseMatchAndAliases)
{
    includeCharacters = {include("BOB"), include("JOHN SMITH", {{"MR", "SMITH"}})};
    options.looseMatch = true;
    discoverText({cue(20, "BOB'S"), cue(20, "MR. SMITH"), cue(20, "mr smith")});
    EXPECT_EQ(character("BOB")->count, 1);
    // MR. SMITH: the alias matches after the full stop is dropped; mr smith ignores case.
    EXPECT_EQ(character("JOHN SMITH")->count, 2);

    found.characters.clear();
    for (const CharacterPtr &c : includeCharacters)
        c->count = 0;
    options.caseSensitive = true;
    options.looseMatch = false;
    discoverText({cue(20, "BOB'S"), cue(20, "mr. smith"), cue(20, "ANN")});
    EXPECT_EQ(includeCharacters[0]->count, 0);
    EXPECT_EQ(includeCharacters[1]->count, 0);
}

TEST_F(Discovery, Progress_ReportsEveryLineAndCancelKeepsWhatWasFound)
{
    const QStringList lines{cue(20, "BOB"), cue(20, "ANN"), cue(20, "ANN"),
                            cue(20, "EVE"), cue(20, "EVE"), cue(20, "EVE")};
    palette = {QColor(1, 2, 3), QColor(4, 5, 6)};
    RecordingProgress progress(3);
    found = discoverTextCharacters(lines, includeCharacters, options, palette, progress);
    EXPECT_EQ(progress.values, (QList<int>{0, 1, 2}));
    EXPECT_EQ(progress.titles, (QStringList{"Finding characters: 0", "Finding characters: 1",
                                            "Finding characters: 2"}));
    EXPECT_EQ(names(), (QStringList{"ANN", "BOB"}));
    EXPECT_EQ(character("ANN")->color, QColor(1, 2, 3));
    EXPECT_EQ(character("BOB")->color, QColor(4, 5, 6));
}

TEST_F(Discovery, Colors_PaletteByPositionAndForcedKept)
{
    const CharacterPtr forced = include("DON");
    forced->color = QColor(9, 9, 9);
    forced->forcedColor = true;
    includeCharacters = {forced};
    palette = {QColor(255, 0, 0), QColor(0, 255, 0)};
    discoverText({cue(20, "AL"), cue(20, "AL"), cue(20, "AL"), cue(20, "AL"), cue(20, "BO"),
                  cue(20, "BO"), cue(20, "BO"), cue(20, "CY"), cue(20, "CY"), cue(20, "DON"),
                  cue(20, "ED")});
    ASSERT_EQ(names(), (QStringList{"AL", "BO", "CY", "DON", "ED"}));
    EXPECT_EQ(character("AL")->color, QColor(255, 0, 0));
    EXPECT_EQ(character("BO")->color, QColor(0, 255, 0));
    EXPECT_EQ(character("CY")->color, QColor(0, 255, 0));
    EXPECT_EQ(character("DON")->color, QColor(9, 9, 9));
    EXPECT_EQ(character("ED")->color, QColor(0, 255, 0));
}

TEST_F(Discovery, Colors_EvenHuesWithoutPalette)
{
    CharacterList list;
    for (const char *name : {"A", "B", "C", "D"})
        list.push_back(include(name));
    list[2]->forcedColor = true;
    const QColor kept = list[2]->color;
    assignColors(list, {});
    EXPECT_EQ(list[2]->color, kept);
    for (int i : {0, 1, 3}) {
        const QColor c = list[i]->color;
        EXPECT_NEAR(c.hsvHueF(), i / 4.0, 0.01) << i;
        EXPECT_NEAR(c.hsvSaturationF(), 200.0 / 255.0, 0.01) << i;
        EXPECT_GE(c.value(), 150);
        EXPECT_LE(c.value(), 205);
        EXPECT_EQ(c.alpha(), 255);
    }
}

TEST_F(Discovery, FindOrAdd_PrefersListThenIncludeThenNew)
{
    includeCharacters = {include("BOB")};
    const CharacterPtr bob = findOrAddCharacter(found.characters, includeCharacters, {"BOB"});
    EXPECT_EQ(bob, includeCharacters.front());
    EXPECT_EQ(findOrAddCharacter(found.characters, includeCharacters, {"BOB"}), bob);
    const CharacterPtr spaced =
        findOrAddCharacter(found.characters, includeCharacters, {"BOB", ""});
    EXPECT_NE(spaced, bob);
    // Words compare with case.
    EXPECT_NE(findOrAddCharacter(found.characters, includeCharacters, {"bob"}), bob);
    EXPECT_EQ(found.characters.size(), 3u);
    EXPECT_EQ(bob->count, 0);
}

TEST_F(Discovery, Csv_QuotedNameLists)
{
    EXPECT_EQ(
        discoverCsv({"0.1,\"['ALICE', 'BOB']\"", "0.2,\"['BOB']\"", "0.3,\"[MARY JANE]\",\"x\"",
                     "0.4,\"[MARY JANE]\"", "no quotes", "0.5,\"[]\""}),
        (QStringList{"BOB", "ALICE", "MARYJANE", ""}));
    EXPECT_EQ(character("BOB")->count, 2);
    EXPECT_EQ(found.speakerIndent, 0);
}

TEST_F(Discovery, Csv_IncludeColourIsForcedAndTwoWordNamesNeverMatch)
{
    const CharacterPtr bob = include("BOB");
    bob->color = QColor(10, 20, 30);
    includeCharacters = {bob, include("MARY JANE")};
    palette = {QColor(1, 1, 1)};
    options.minCharacterInstances = 0;
    discoverCsv({"1,\"['BOB', 'EVE']\"", "2,\"['MARY JANE']\""});
    EXPECT_EQ(names(), (QStringList{"BOB", "EVE", "MARYJANE"}));
    EXPECT_TRUE(character("BOB")->forcedColor);
    EXPECT_EQ(character("BOB")->color, QColor(10, 20, 30));
    EXPECT_EQ(character("EVE")->color, QColor(1, 1, 1));
    EXPECT_FALSE(character("MARYJANE")->forcedColor);
}

TEST_F(Discovery, Corpus_PlainTextCuesAtTwentyBlanks)
{
    const ScreenplayText read = readScreenplayFile(corpusFile("the_library_freak_out.txt"));
    ASSERT_TRUE(read.ok());
    QStringList lines = read.lines;
    EXPECT_EQ(discoverText(lines),
              (QStringList{"CHALF", "CHARYA", "YOR", "NAR", "THRAIN", "PATRON ONE", "YOR (CONT'D)",
                           "PATRON TWO", "PATRONS THREE AND FOUR", "PATRON FIVE"}));
    EXPECT_EQ(found.speakerIndent, 20);
    EXPECT_EQ(character("CHALF")->count, 20);
    EXPECT_EQ(character("CHARYA")->count, 14);
}

TEST_F(Discovery, Corpus_HtmlSpeakerHeadings)
{
    const ScreenplayText read = readScreenplayFile(corpusFile("cyber_bob_ep1.html"));
    ASSERT_TRUE(read.ok());
    QStringList lines = read.lines;
    const QStringList speakers = discoverText(lines);
    ASSERT_GE(speakers.size(), 3);
    EXPECT_EQ(speakers.mid(0, 3), (QStringList{"BOB", "DOG", "MARGARET"}));
    EXPECT_EQ(found.speakerIndent, 16);
    EXPECT_EQ(character("MARGARET")->indent, 16);

    reset();
    const ScreenplayText library = readScreenplayFile(corpusFile("the_library_freak_out.html"));
    ASSERT_TRUE(library.ok());
    lines = library.lines;
    ASSERT_GE(discoverText(lines).size(), 5);
    EXPECT_EQ(names().mid(0, 5), (QStringList{"CHALF", "CHARYA", "YOR", "NAR", "THRAIN"}));
    EXPECT_EQ(character("CHALF")->count, 20);
}
