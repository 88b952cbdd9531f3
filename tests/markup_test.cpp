#include "scenes/MarkupBuilder.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"
#include "reader/ScreenplayReader.h"
#include "scenes/HtmlSanitizer.h"
#include "scenes/MarkupStyles.h"
#include "scenes/NameWordFilter.h"
#include "support/StageProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

QString parse(ParseCase &parseCase, const StageProgress &progress = {})
{
    return markupOf(parseCase.parse(progress));
}

// The scenes of the case's last parse.
const std::vector<Scene> &scenes(const ParseCase &parseCase)
{
    return parseCase.analysis->timeIndex->scenes;
}

// Single lines marked up as markupText would, counted into an index of their own.
struct LineMarkup
{
    explicit LineMarkup(const ParseCase &parseCase)
        : sources(parseCase.sources())
        , index(parseCase.screenplay.characters)
    {
    }
    QString operator()(const QString &line, float x) { return markupLine(sources, index, line, x); }

    const MarkupSources sources; // refers to the case, which must outlive this
    TimeIndexVector index;
};

// Cancels after a given number of lines were marked up.
StageProgress cancelAfter(int lines)
{
    const auto seen = std::make_shared<int>(0);
    StageProgress progress;
    progress.progressed = [seen](int value, int) {
        *seen = value + 1;
    };
    progress.canceled = [seen, lines] {
        return *seen >= lines;
    };
    return progress;
}

} // namespace

TEST(MarkupBuilder, WorkedExample_TextAndTwoScenes)
{
    ParseCase doc =
        parseCase({"INT. HOUSE - DAY", "JOHN", "Hello there."}, {characterNamed("JOHN")});
    EXPECT_EQ(parse(doc),
              QString("<div class='scene'></div><div class='scene'><span class='breakString'>"
                      "INT. HOUSE - </span>DAY <br><span class='JOHN'>JOHN </span><br>"
                      "Hello there. <br></div>"));
    ASSERT_EQ(scenes(doc).size(), 2u);
    EXPECT_EQ(scenes(doc)[0].type, QString("START"));
    EXPECT_EQ(scenes(doc)[0].start, 0.0f);
    EXPECT_EQ(scenes(doc)[0].end, 0.0f);
    EXPECT_EQ(scenes(doc)[0].counts, QVector<qint32>{0});
    EXPECT_EQ(scenes(doc)[1].type, QString("int."));
    EXPECT_EQ(scenes(doc)[1].start, 0.0f);
    EXPECT_EQ(scenes(doc)[1].end, 1.0f);
    EXPECT_EQ(scenes(doc)[1].counts, QVector<qint32>{1});
}

TEST(MarkupBuilder, Words_EmptyAndRepeatedBlanksAndMentions)
{
    ParseCase doc = parseCase({"", "a  b", "I saw JOHN today"}, {characterNamed("JOHN")});
    LineMarkup markup(doc);
    EXPECT_EQ(markup("", 0.0f), QString(" <br>"));
    EXPECT_EQ(markup("a  b", 0.0f), QString("a  b <br>"));
    // A name inside dialogue is matched and counted like a cue.
    markup.index.addScene(0.0f, "START");
    EXPECT_EQ(markup("I saw JOHN today", 0.5f),
              QString("I saw <span class='JOHN'>JOHN </span>today <br>"));
    EXPECT_EQ(markup.index.scenes[0].counts, QVector<qint32>{1});
    // An HTML screenplay keeps its own markup.
    doc.screenplay.format = "html";
    LineMarkup html(doc);
    EXPECT_EQ(html("<b>x</b> &amp;", 0.5f), QString("<b>x</b> &amp; <br>"));
}

TEST(MarkupBuilder, WholeNameMatch_NoPartialNamesInTheText)
{
    const QString line = "his father EDWARD / BLOOM, 40s";
    ParseCase loose = parseCase({line}, {characterNamed("EDWARD BLOOM")});
    LineMarkup looseLine(loose);
    looseLine.index.addScene(0.0f, "START");
    EXPECT_EQ(looseLine(line, 0.0f),
              QString("his father <span class='EDWARDBLOOM'>EDWARD </span>/ BLOOM, 40s <br>"));

    ParseCase whole = parseCase({line}, {characterNamed("EDWARD BLOOM")});
    whole.settings().options.wholeNameMatch = true;
    LineMarkup wholeLine(whole);
    wholeLine.index.addScene(0.0f, "START");
    EXPECT_EQ(wholeLine(line, 0.0f), line + " <br>");
    EXPECT_EQ(wholeLine("EDWARD BLOOM waves", 0.0f),
              QString("<span class='EDWARDBLOOM'>EDWARD BLOOM </span>waves <br>"));
    EXPECT_EQ(wholeLine.index.scenes[0].counts, QVector<qint32>{1});
}

TEST(MarkupBuilder, MergeCueExtensions_MarksTheWholeCueLineOnce)
{
    const QString cueLine = QString(20, ' ') + "EDWARD (V.O.)";
    ParseCase doc = parseCase({cueLine}, {characterNamed("EDWARD")});
    doc.settings().options.mergeCueExtensions = true;
    LineMarkup markup(doc);
    markup.index.addScene(0.0f, "START");
    EXPECT_EQ(markup(cueLine, 0.0f),
              QString(20, ' ') + "<span class='EDWARD'>EDWARD (V.O.) </span><br>");
    EXPECT_EQ(markup.index.scenes[0].counts, QVector<qint32>{1});
}

TEST(MarkupBuilder, BreakStrings_IgnoreCaseButMatchWholeWords)
{
    ParseCase doc =
        parseCase({"Int. ROOM", "int kitchen", "INTERIOR hall", "INT"}, {}, {"INT", "int."});
    doc.settings().options.caseSensitive = true; // break strings ignore case whatever this says
    const QString html = parse(doc);
    EXPECT_EQ(html,
              QString("<div class='scene'>"
                      "</div><div class='scene'><span class='breakString'>Int. </span>ROOM <br>"
                      "</div><div class='scene'><span class='breakString'>int </span>kitchen <br>"
                      "INTERIOR hall <br>"
                      "</div><div class='scene'><span class='breakString'></span>INT <br>"
                      "</div>"));
    ASSERT_EQ(scenes(doc).size(), 4u);
    EXPECT_EQ(scenes(doc)[1].type, QString("int."));
    EXPECT_EQ(scenes(doc)[2].type, QString("INT"));
    EXPECT_EQ(scenes(doc)[3].type, QString("INT"));
    EXPECT_EQ(scenes(doc)[2].end, 0.75f); // runs over the line without a heading
    EXPECT_EQ(scenes(doc)[3].start, 0.75f);
    EXPECT_EQ(scenes(doc)[3].end, 1.0f);
}

TEST(MarkupBuilder, BreakStrings_OfSeveralWordsMatchThemInSequence)
{
    // Blanks around the words do not count; a list of blanks alone matches nothing.
    ParseCase doc =
        parseCase({"CUT TO:", "cut away", "INT. HALL", "  "}, {}, {"CUT  TO:", "  ", "INT. "});
    EXPECT_EQ(parse(doc),
              QString("<div class='scene'>"
                      "</div><div class='scene'><span class='breakString'>CUT </span>TO: <br>"
                      "cut away <br>"
                      "</div><div class='scene'><span class='breakString'>INT. </span>HALL <br>"
                      "   <br></div>"));
    ASSERT_EQ(scenes(doc).size(), 3u);
    EXPECT_EQ(scenes(doc)[1].type, QString("CUT  TO:"));
    EXPECT_EQ(scenes(doc)[2].type, QString("INT. "));
}

TEST(MarkupBuilder, BreakStrings_ThreeOnOneLineGiveTwoEmptyScenes)
{
    // Each later entry is compared with the word the walk now stands on: the line's last.
    ParseCase doc = parseCase({"x", "INT. HOUSE INT"}, {}, {"int.", "INT", "int"});
    EXPECT_EQ(parse(doc),
              QString("<div class='scene'>x <br>"
                      "</div><div class='scene'><span class='breakString'>INT. HOUSE </span>"
                      "</div><div class='scene'><span class='breakString'></span>"
                      "</div><div class='scene'><span class='breakString'></span>INT <br></div>"));
    ASSERT_EQ(scenes(doc).size(), 4u);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(scenes(doc)[i].start, 0.5f);
    EXPECT_EQ(scenes(doc)[1].end, 0.5f);
    EXPECT_EQ(scenes(doc)[2].end, 0.5f);
    EXPECT_EQ(scenes(doc)[3].end, 1.0f);
    EXPECT_EQ(scenes(doc)[3].type, QString("int"));
}

TEST(MarkupBuilder, ManualBreaks_BetweenLinesAndNeverAtZero)
{
    ParseCase doc = parseCase({"a", "b", "c", "d"}, {}, {});
    doc.settings().manualBreaks = {0.3f, 0.4f, 0.0f};
    const QString html = parse(doc);
    EXPECT_EQ(html, QString("<div class='scene'>a <br>b <br></div><div class='scene'></div>"
                            "<div class='scene'>c <br>d <br></div>"));
    ASSERT_EQ(scenes(doc).size(), 3u);
    EXPECT_EQ(scenes(doc)[1].type, QString("USER_SET"));
    EXPECT_EQ(scenes(doc)[1].start, 0.5f);
    EXPECT_EQ(scenes(doc)[1].end, 0.5f);
    EXPECT_EQ(scenes(doc)[2].start, 0.5f);
    EXPECT_EQ(doc.analysis->lastBreakPosition, 0.75f);
    // The next parse starts where the last one left off and still finds the same breaks.
    EXPECT_EQ(doc.settings().lastBreakPosition, 0.75f);
    EXPECT_EQ(parse(doc), html);
    EXPECT_EQ(scenes(doc).size(), 3u);
}

TEST(MarkupBuilder, PageMarkers_CountedShownAndCarried)
{
    ParseCase doc = parseCase({"[12]", "INT. HALL [x]", "[13]", "EXT. YARD", "text"}, {});
    const QString html = parse(doc);
    EXPECT_TRUE(html.startsWith("<div class='scene'>[12] <br></div><div class='scene'><span "
                                "class='breakString'>INT. HALL </span>[x] <br>[13] <br>"))
        << html.toStdString();
    ASSERT_EQ(scenes(doc).size(), 3u);
    EXPECT_EQ(scenes(doc)[0].pages, QVector<qint32>{12});
    // The marker is the heading line's last word; "[x]" is no number and reads as 0.
    EXPECT_EQ(scenes(doc)[1].pages, (QVector<qint32>{12, 0, 13}));
    EXPECT_EQ(scenes(doc)[2].pages, QVector<qint32>{13});
}

TEST(MarkupBuilder, CharacterMatches_PartialLongestAndTies)
{
    const CharacterPtr john = characterNamed("JOHN");
    const CharacterPtr johnSmith = characterNamed("JOHN SMITH");
    const CharacterPtr twin = characterNamed("JOHN SMITH");
    ParseCase doc = parseCase({}, {john, johnSmith, twin});
    LineMarkup markup(doc);
    markup.index.addScene(0.0f, "START");
    // Longest result wins; the equally long twin comes later and loses.
    EXPECT_EQ(markup("JOHN SMITH left", 0.0f),
              QString("<span class='JOHNSMITH'>JOHN SMITH </span>left <br>"));
    EXPECT_EQ(markup.index.scenes[0].counts, (QVector<qint32>{0, 1, 0}));

    ParseCase partial = parseCase({}, {johnSmith});
    LineMarkup partialLine(partial);
    partialLine.index.addScene(0.0f, "START");
    EXPECT_EQ(partialLine("JOHN DOE waves", 0.0f),
              QString("<span class='JOHNSMITH'>JOHN </span>DOE waves <br>"));
    // The result is the aligned second word; the walk moves on one word only.
    EXPECT_EQ(partialLine("X SMITH", 0.0f),
              QString("<span class='JOHNSMITH'>SMITH </span>SMITH <br>"));
    EXPECT_EQ(partialLine.index.scenes[0].counts, QVector<qint32>{2});
}

TEST(MarkupBuilder, IncludeCharacters_FallBackJoinsCharactersButIsNotCounted)
{
    const CharacterPtr john = characterNamed("JOHN");
    const CharacterPtr mary = characterNamed("MARY");
    const CharacterPtr otherJohn = characterNamed("JOHN");
    ParseCase doc = parseCase({"MARY and JOHN", "Mary again", "JOHN"}, {john});
    doc.settings().includeCharacters = {otherJohn, mary};
    const QString html = parse(doc);
    EXPECT_EQ(html, QString("<div class='scene'><span class='MARY'>MARY </span>and "
                            "<span class='JOHN'>JOHN </span><br><span class='MARY'>Mary "
                            "</span>again <br><span class='JOHN'>JOHN </span><br></div>"));
    // MARY joined once; the include JOHN was never asked, as the known JOHN matched first.
    ASSERT_EQ(doc.analysis->characters.size(), 2u);
    EXPECT_EQ(doc.analysis->characters[1], mary);
    ASSERT_EQ(doc.analysis->timeIndex->characters.size(), 1u);
    EXPECT_EQ(scenes(doc)[0].counts, QVector<qint32>{2});
}

TEST(MarkupBuilder, Cancel_KeepsLinesSoFarAndClosesDocument)
{
    ParseCase doc = parseCase({"a", "INT. X", "c", "d"}, {});
    const StageProgress progress = cancelAfter(2);
    EXPECT_EQ(parse(doc, progress),
              QString("<div class='scene'>a <br></div><div class='scene'><span "
                      "class='breakString'>INT. </span>X <br></div>"));
    ASSERT_EQ(scenes(doc).size(), 2u);
    EXPECT_EQ(scenes(doc).back().end, 1.0f);
}

TEST(MarkupBuilder, BuildMarkup_DispatchesOnExactSuffix)
{
    ParseCase xml = parseCase({"INT. A"}, {});
    xml.screenplay.fileSuffix = "xml";
    EXPECT_EQ(parse(xml), QString());
    EXPECT_TRUE(scenes(xml).empty());

    ParseCase upper = parseCase({"INT. A"}, {});
    upper.screenplay.fileSuffix = "XML";
    EXPECT_TRUE(parse(upper).startsWith("<div class='scene'>"));

    ParseCase csv = parseCase({"1,2"}, {});
    csv.screenplay.fileSuffix = "csv";
    EXPECT_EQ(parse(csv), QString("1,2<br>"));
    EXPECT_EQ(scenes(csv).front().type, QString("fight"));
}

TEST(MarkupBuilder, OddNames_EscapedInAttributeAndSelector)
{
    const CharacterPtr obrien = characterNamed("O'BRIEN");
    const CharacterPtr odd = characterNamed("A<B&C\"");
    const CharacterPtr doctor = characterNamed("DR. WHO");
    const CharacterPtr agent = characterNamed("007");
    EXPECT_EQ(obrien->characterClass(), QString("O'BRIEN"));
    EXPECT_EQ(characterClassAttribute(*obrien), QString("O&#39;BRIEN"));
    EXPECT_EQ(characterClassAttribute(*odd), QString("A&lt;B&amp;C&quot;"));
    EXPECT_EQ(characterClassAttribute(*doctor), QString("DR.WHO"));
    EXPECT_EQ(characterSelector(*obrien), QString("span.O\\'BRIEN"));
    EXPECT_EQ(characterSelector(*odd), QString("span.A\\<B\\&C\\\""));
    EXPECT_EQ(characterSelector(*doctor), QString("span.DR\\.WHO"));
    EXPECT_EQ(characterSelector(*agent), QString("span.\\30 07"));
    EXPECT_EQ(characterSelector(*characterNamed("-1x")), QString("span.-\\31 x"));
    EXPECT_EQ(characterSelector(*characterNamed("JOHN")), QString("span.JOHN"));

    ParseCase doc = parseCase({}, {obrien});
    LineMarkup markup(doc);
    markup.index.addScene(0.0f, "START");
    EXPECT_EQ(markup("O'BRIEN enters", 0.0f),
              QString("<span class='O&#39;BRIEN'>O&#39;BRIEN </span>enters <br>"));
}

TEST(MarkupStyles, ElementStylesAndSceneBackgrounds)
{
    Analysis analysis; // as before its first parse: no index
    EXPECT_TRUE(markupElementStyles(analysis.timeIndex.get(), analysis.breakStringClass).empty());

    const CharacterPtr john = characterNamed("JOHN");
    john->color = QColor(60, 150, 80);
    const TimeIndexVector index(CharacterList{john, characterNamed("DR. X")});
    const std::vector<ElementStyle> styles = markupElementStyles(&index, analysis.breakStringClass);
    ASSERT_EQ(styles.size(), 3u);
    EXPECT_EQ(styles[0].selector, QString("span.JOHN"));
    ASSERT_EQ(styles[0].properties.size(), 2);
    EXPECT_EQ(styles[0].properties[0], std::make_pair(QString("color"), QString("#3c9650")));
    EXPECT_EQ(styles[0].properties[1], std::make_pair(QString("font-weight"), QString("bold")));
    EXPECT_EQ(styles[1].selector, QString("span.DR\\.X"));
    EXPECT_EQ(styles[2].selector, QString("span.breakString"));
    ASSERT_EQ(styles[2].properties.size(), 3);
    EXPECT_EQ(styles[2].properties[0].second, QString("purple"));
    EXPECT_EQ(styles[2].properties[2], std::make_pair(QString("font-style"), QString("italic")));

    const auto background = [&analysis](int sceneNumber) {
        return sceneBackground(analysis.sceneColorA, analysis.sceneColorB, sceneNumber);
    };
    EXPECT_EQ(background(0), QString("#ffffff"));
    EXPECT_EQ(background(1), QString("#f0f0f0"));
    EXPECT_EQ(background(4), QString("#ffffff"));
    analysis.sceneColorB = QColor(1, 2, 3);
    EXPECT_EQ(background(3), QString("#010203"));
}

namespace {

// Checks matchAt for every character the filter leaves out at `l`; returns how many
// were left out.
int expectNoMatchWhereRejected(const NameWordFilter &filter, const CharacterList &characters,
                               const CharacterList &include, const QStringList &words,
                               const NameWordFilter::Line &line, int l,
                               const AnalysisOptions &options)
{
    int rejected = 0;
    const auto check = [&](const CharacterList &list, const std::vector<int> &asked) {
        EXPECT_TRUE(std::is_sorted(asked.begin(), asked.end()));
        for (int k = 0; k < static_cast<int>(list.size()); ++k) {
            const bool inList = std::find(asked.begin(), asked.end(), k) != asked.end();
            if (line.candidate[static_cast<size_t>(l)] && inList)
                continue;
            ++rejected;
            EXPECT_TRUE(
                list[k]->matchAt(words, l, options.caseSensitive, options.looseMatch).isEmpty())
                << list[k]->characterClass().toStdString() << " at " << l << " in "
                << words.join('|').toStdString();
        }
    };
    std::vector<int> asked;
    filter.charactersAt(line, l, asked);
    check(characters, asked);
    filter.includesAt(line, l, asked);
    check(include, asked);
    return rejected;
}

} // namespace

TEST(NameWordFilter, NeverRejectsWhereSomeCharacterMatches)
{
    const CharacterPtr doctor = characterNamed("DR X");
    doctor->aliases = {{"THE", "DOCTOR"}, {"doc."}, {"doc"}};
    const CharacterList characters{characterNamed("JOHN"),
                                   characterNamed("MARY JANE"),
                                   characterNamed(QStringLiteral("\u00C9lodie")),
                                   characterNamed(QStringLiteral("STRA\u00DFE")),
                                   characterNamed("KATE"),
                                   doctor};
    const CharacterList include{characterNamed("bob")};
    // Case variants the comparison folds together, including the long s and the Kelvin
    // sign, plus a word outside the basic plane.
    const QStringList vocabulary{"john",
                                 "JOHN",
                                 "Jane",
                                 "mary",
                                 QStringLiteral("\u00E9LODIE"),
                                 "strasse",
                                 QStringLiteral("\u017Ftra\u00DFe"),
                                 QStringLiteral("stra\u00DFe"),
                                 QStringLiteral("\u212AATE"),
                                 "the",
                                 "Doctor",
                                 "DOC.",
                                 "doc",
                                 "BOB",
                                 "",
                                 "x",
                                 "JOHN.",
                                 "(Johnny)",
                                 "xjanex",
                                 "D.O.C",
                                 "Doc!",
                                 "THE,",
                                 QStringLiteral("\U0001D400")};
    int rejected = 0;
    for (const bool caseSensitive : {false, true}) {
        for (const bool looseMatch : {false, true}) {
            AnalysisOptions options;
            options.caseSensitive = caseSensitive;
            options.looseMatch = looseMatch;
            const NameWordFilter filter(characters, include, options);
            for (const QString &a : vocabulary) {
                for (const QString &b : vocabulary) {
                    const QStringList words{a, b, "x"};
                    const NameWordFilter::Line line = filter.prepare(words);
                    for (int l = 0; l < words.size(); ++l)
                        rejected += expectNoMatchWhereRejected(filter, characters, include, words,
                                                               line, l, options);
                }
            }
        }
    }
    // The filter has to reject most calls to be worth having.
    EXPECT_GT(rejected, 20000);
}

namespace {

QStringList corpusLines(const QString &name)
{
    const ScreenplayText read = readScreenplayFile(corpusFile(name));
    EXPECT_TRUE(read.ok());
    return read.lines;
}

CharacterList libraryCast()
{
    return {characterNamed("CHALF"), characterNamed("NAR"), characterNamed("YOR"),
            characterNamed("CHARYA"), characterNamed("THRAIN")};
}

QVector<qint32> totals(const TimeIndexVector &index)
{
    QVector<qint32> sums(static_cast<int>(index.characters.size()), 0);
    for (const Scene &scene : index.scenes) {
        for (int k = 0; k < scene.counts.size(); ++k)
            sums[k] += scene.counts.at(k);
    }
    return sums;
}

} // namespace

TEST(MarkupBuilder, Corpus_PlainTextScenesPagesAndCounts)
{
    const QStringList lines = corpusLines("the_library_freak_out.txt");
    ASSERT_EQ(lines.size(), 487);
    ParseCase doc = parseCase(lines, libraryCast());
    const QString html = parse(doc);
    // Headings stand on lines 27, 35 and 423 of the file; pages [1] .. [8] at column 0.
    const std::vector<Scene> &found = scenes(doc);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(html.count("<div class='scene'>"), 4);
    EXPECT_EQ(html.count("<br>"), 487);
    EXPECT_EQ(found[1].type, QString("ext."));
    EXPECT_EQ(found[2].type, QString("int."));
    EXPECT_EQ(found[3].type, QString("ext."));
    EXPECT_EQ(found[1].start, 26.0f / 487.0f);
    EXPECT_EQ(found[2].start, 34.0f / 487.0f);
    EXPECT_EQ(found[3].start, 422.0f / 487.0f);
    EXPECT_EQ(found[3].end, 1.0f);
    EXPECT_EQ(found[0].pages, QVector<qint32>{1});
    EXPECT_EQ(found[1].pages, QVector<qint32>{1});
    EXPECT_EQ(found[2].pages, (QVector<qint32>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(found[3].pages, (QVector<qint32>{7, 8}));
    // Every blank-separated word equal to a name, cues and mentions alike.
    EXPECT_EQ(totals(*doc.analysis->timeIndex), (QVector<qint32>{33, 13, 15, 21, 11}));
    EXPECT_TRUE(html.contains("<span class='CHALF'>CHALF </span><br>"));
}

TEST(MarkupBuilder, Corpus_HtmlKeepsItsMarkupAndFindsHeadings)
{
    const QStringList lines = corpusLines("the_library_freak_out.html");
    ParseCase doc = parseCase(lines, libraryCast());
    doc.screenplay.fileSuffix = "html";
    doc.screenplay.format = "html";
    const QString html = parse(doc);
    const std::vector<Scene> &found = scenes(doc);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[1].start, 10.0f / 330.0f);
    EXPECT_EQ(found[2].start, 16.0f / 330.0f);
    EXPECT_EQ(found[3].start, 283.0f / 330.0f);
    // The reader leaves a blank after "</p>", so the line's last word is empty and the
    // heading span runs to the end of the tags.
    EXPECT_TRUE(html.contains("<p> <b> </div><div class='scene'><span class='breakString'>"
                              "EXT. LIBRARY--DAY</b> </p> </span> <br>"))
        << html.left(2000).toStdString();
    // Speaker lines come from the reader as 16 blanks and the name.
    EXPECT_TRUE(html.contains("                <span class='CHARYA'>CHARYA </span><br>"));
    EXPECT_EQ(totals(*doc.analysis->timeIndex), (QVector<qint32>{32, 13, 13, 19, 11}));
}

// A sink gets the markup a piece at a time (plain text) or whole (an HTML screenplay's, which
// the allow-list needs whole), and the pieces joined are the markup the result would hold.
TEST(MarkupBuilder, Sink_PiecesJoinToTheHeldMarkupAndCountTheSame)
{
    QStringList lines;
    for (int copy = 0; copy < 12000; ++copy)
        lines << "                CHALF"
              << "      Charya, a <b>word</b> & more."
              << ""
              << "EXT. LIBRARY--DAY";
    for (const QString format : {"text", "html"}) {
        ParseCase held = parseCase(lines, libraryCast());
        held.screenplay.format = format;
        const MarkupResult whole = markupText(held.sources(), StageProgress());
        ParseCase streamed = parseCase(lines, libraryCast());
        streamed.screenplay.format = format;
        QByteArrayList pieces;
        const MarkupResult result =
            markupText(streamed.sources(), StageProgress(),
                       [&pieces](const QByteArray &piece) { pieces.append(piece); });
        EXPECT_TRUE(result.html.isEmpty());
        EXPECT_EQ(pieces.size() > 1, format == QString("text")) << pieces.size();
        EXPECT_EQ(pieces.join(), whole.html);
        EXPECT_EQ(totals(*result.index), totals(*whole.index));
        EXPECT_EQ(result.index->scenes.size(), whole.index->scenes.size());
    }
}

TEST(MarkupBuilder, HostileText_EscapedInPlainTextAndFilteredInHtml)
{
    const QStringList lines{"<script>alert(1)</script> & <B> \"hi\"",
                            "<img src=http://evil/x onerror=go()> <b onmouseover='x'>bold</b>",
                            "<meta http-equiv=refresh content=0> <iframe src=x>in</iframe> done"};
    ParseCase plain = parseCase(lines, {}, {});
    EXPECT_EQ(parse(plain),
              QString("<div class='scene'>&lt;script&gt;alert(1)&lt;/script&gt; &amp; &lt;B&gt; "
                      "&quot;hi&quot; <br>&lt;img src=http://evil/x onerror=go()&gt; "
                      "&lt;b onmouseover=&#39;x&#39;&gt;bold&lt;/b&gt; <br>&lt;meta "
                      "http-equiv=refresh content=0&gt; &lt;iframe src=x&gt;in&lt;/iframe&gt; "
                      "done <br></div>"));

    ParseCase html = parseCase(lines, {}, {});
    html.screenplay.format = "html";
    EXPECT_EQ(parse(html),
              QString("<div class='scene'> & <B> \"hi\" <br> <b>bold</b> <br>  done <br></div>"));
}

TEST(HtmlSanitizer, KeepsFormattingAndDropsWhatCouldRunOrFetch)
{
    EXPECT_EQ(sanitizeHtml("<p align=center><font color='red' face=x>A</font></p>"),
              QString("<p align=center><font color='red' face=x>A</font></p>"));
    EXPECT_EQ(sanitizeHtml("<a href='javascript:x()'>link</a><!-- c -->"), QString("link"));
    EXPECT_EQ(sanitizeHtml("<p style='background:url(http://x)' class=c>t</p>"),
              QString("<p class='c'>t</p>"));
    EXPECT_EQ(sanitizeHtml("<style>p{margin:0}</style><style>@import 'x';</style>"),
              QString("<style>p{margin:0}</style>"));
    EXPECT_EQ(sanitizeHtml("a < b <SCRIPT>never closed"), QString("a &lt; b never closed"));
    EXPECT_EQ(sanitizeHtml("<base href=//x><link rel=stylesheet href=y><form>f</form>"),
              QString("f"));
}

TEST(HtmlSanitizer, VoidAndUnclosedElementsKeepTheRestOfThePage)
{
    EXPECT_EQ(sanitizeHtml("<embed src=x>A<frame src=y>B<img src=z>C"), QString("ABC"));
    EXPECT_EQ(sanitizeHtml("<audio src=x>A<b>B</b>"), QString("A<b>B</b>"));
    EXPECT_EQ(sanitizeHtml("<noembed>A<video>B"), QString("AB"));
    EXPECT_EQ(sanitizeHtml("<video>A</video>B<style>C"), QString("BC"));
    EXPECT_EQ(sanitizeHtml("A<!-- B"), QString("A&lt;!-- B"));
    EXPECT_EQ(sanitizeHtml("<p title='A<b>B</b>"), QString("&lt;p title='A<b>B</b>"));
    // Stray text inside a kept tag (here a lone "=" and a tag-like word) is not passed on.
    EXPECT_EQ(sanitizeHtml("<b ==</oj>x</b>"), QString("<b>x</b>"));
}
