#include "reader/PdfReader.h"

#include "PrintedScreenplay.h"
#include "TestSupport.h"
#include "TypedPdf.h"
#include "characters/CharacterDiscovery.h"
#include "support/StageProgress.h"

#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QStringList linesOf(const QVector<TypedPage> &pages)
{
    const ScreenplayText text = readPdf(typedPdf(pages));
    EXPECT_TRUE(text.ok()) << text.error.toStdString();
    EXPECT_EQ(text.pageCount, pages.size());
    return text.lines;
}

// Three scenes whose speeches a page of 20 lines cuts: ANN's long one twice.
QStringList typedScreenplay()
{
    QStringList typed{blanks(20) + "THE SMALL HOURS",
                      "",
                      blanks(25) + "by",
                      "",
                      blanks(20) + "ANN AUTHOR",
                      "[1]",
                      "INT. KITCHEN - NIGHT",
                      "",
                      "Rain."};
    const auto speech = [&typed](const QString &cue, const QStringList &lines) {
        typed << "" << blanks(20) + cue;
        for (const QString &line : lines)
            typed << (line.startsWith('(') ? blanks(15) : blanks(10)) + line;
    };
    speech("ANN", {"(to herself)", "No.", "It was never the kettle, it was",
                   "the door, and the door", "was never locked, not once",
                   "in all the years we had it,", "not even", "the winter the river rose",
                   "and the whole street came", "to sleep here.", "Not once.", "Never."});
    speech("BOB (V.O.)", {"She always says that."});
    typed << ""
          << "EXT. YARD - DAWN"
          << ""
          << "Frost.";
    speech("CAPTAIN HOOK", {"Anyone?"});
    speech("ANN", {"Here."});
    typed << ""
          << "Bob comes in.";
    speech("BOB", {"(softly)", "Me too."});
    speech("ANN (CONT'D)", {"Then sit."});
    typed << "" << blanks(50) + "FADE OUT."
          << "" << blanks(30) + "THE END";
    return typed;
}

QMap<QString, int> castOf(const ScreenplayText &text)
{
    AnalysisOptions options;
    options.mergeCueExtensions = true;
    options.wholeNameMatch = true;
    QMap<QString, int> cast;
    for (const CharacterPtr &c :
         discoverTextCharacters(text.lines, {}, options, {}, StageProgress()).characters)
        cast.insert(c->names.join(' '), c->count);
    return cast;
}

} // namespace

TEST(PdfReader, ProgramLayouts_ReadAsTyped)
{
    const QMap<QString, int> cast{{"ANN", 3}, {"BOB", 2}, {"CAPTAIN HOOK", 1}};
    QVector<PrintStyle> styles(10);
    for (PrintStyle &style : styles)
        style.linesPerPage = 20;
    styles[1].sceneNumbers = styles[1].continued = true;
    styles[2].speechNumbers = styles[2].lowerContd = true;
    styles[3].multiCamera = true;
    styles[4].reversed = styles[4].nudgedCues = true;
    styles[5].titleKeys = styles[5].castPage = true;
    styles[6].usLetter = styles[6].more = false;
    styles[7] = styles[3];
    styles[7].sceneNumbers = styles[7].continued = styles[7].speechNumbers = true;
    styles[8].multiCamera = styles[8].castPage = styles[8].reversed = true;
    styles[9] = styles[1];
    styles[9].speechNumbers = styles[9].nudgedCues = styles[9].titleKeys = true;
    ensureGuiApplication();
    for (int s = 0; s < styles.size(); ++s) {
        const ScreenplayText text = readPdf(PrintedScreenplay::pdf(typedScreenplay(), styles[s]));
        ASSERT_TRUE(text.ok()) << s << text.error.toStdString();
        EXPECT_EQ(castOf(text), cast) << "style " << s << "\n"
                                      << text.lines.join('\n').toStdString();
    }
}

TEST(PdfReader, PageFurniture_OffTheLinesAndInTheLayout)
{
    PrintStyle style;
    style.linesPerPage = 20;
    style.sceneNumbers = style.continued = style.castPage = true;
    ensureGuiApplication();
    const ScreenplayText text = readPdf(PrintedScreenplay::pdf(typedScreenplay(), style));
    ASSERT_TRUE(text.ok());
    for (const QString &line : text.lines) {
        const QString trimmed = line.trimmed();
        const bool pageMarker = trimmed.startsWith('[');
        EXPECT_FALSE(trimmed.contains("CONTINUED") ||
                     (!pageMarker && trimmed.contains(QRegularExpression("\\d"))))
            << line.toStdString();
    }
    EXPECT_TRUE(text.lines.contains("EXT. YARD - DAWN"));
    // The title and cast pages are not numbered, the pages after them from 1.
    EXPECT_GT(text.lines.indexOf("[1]"), text.lines.indexOf("CAST OF CHARACTERS"));
    EXPECT_TRUE(text.lines.contains(blanks(20) + "ANN (CONT'D)"));
    ASSERT_TRUE(text.printedLayout.has_value());
    const PrintedLayout &layout = *text.printedLayout;
    EXPECT_EQ(layout.pageWidth, 612.0);
    EXPECT_EQ(layout.titlePages, (QVector<qint32>{1, 2}));
    EXPECT_EQ(layout.numberedScenes, 2);
    EXPECT_NEAR(layout.cueColumn, style.cue, 0.05);
    EXPECT_NEAR(layout.dialogueColumn, style.dialogue, 0.05);
    EXPECT_NEAR(layout.actionColumn, style.action, 0.05);
}

TEST(PdfReader, DriftingIndents_ClassifiedPerPage)
{
    const TypedPage first{72.0,
                          12,
                          {"INT. MILL - NIGHT", "", "Rain on the roof.", "", blanks(20) + "ADA",
                           blanks(15) + "(softly)", blanks(10) + "Is anyone there?", "",
                           blanks(50) + "CUT TO:"}};
    // Another margin, another pitch and wider indents; a printed page number.
    const TypedPage second{100.0,
                           10,
                           {blanks(56) + "2.", "", blanks(12) + "...to the mill.", "",
                            "EXT. YARD - NIGHT", "", blanks(24) + "BEN", blanks(18) + "(shouting)",
                            blanks(12) + "Over here!", "", blanks(24) + "ADA",
                            blanks(12) + "Coming.", "", "She runs."}};
    EXPECT_EQ(linesOf({first, second}), (QStringList{"[1]",
                                                     "INT. MILL - NIGHT",
                                                     "",
                                                     "Rain on the roof.",
                                                     "",
                                                     blanks(20) + "ADA",
                                                     blanks(15) + "(softly)",
                                                     blanks(10) + "Is anyone there?",
                                                     "",
                                                     blanks(53) + "CUT TO:",
                                                     "[2]",
                                                     blanks(10) + "...to the mill.",
                                                     "",
                                                     "EXT. YARD - NIGHT",
                                                     "",
                                                     blanks(20) + "BEN",
                                                     blanks(15) + "(shouting)",
                                                     blanks(10) + "Over here!",
                                                     "",
                                                     blanks(20) + "ADA",
                                                     blanks(10) + "Coming.",
                                                     "",
                                                     "She runs."}));
}

TEST(PdfReader, SideBySideDialogue_LeftSpeechThenRight)
{
    const TypedPage page{72.0,
                         12,
                         {"A shout.", "", blanks(8) + "BRICK" + blanks(27) + "STEEL",
                          blanks(2) + "Screw retirement." + blanks(15) + "Never!",
                          blanks(6) + "(beat)" + blanks(22) + "Ever.", blanks(2) + "I mean it.", "",
                          "They glare."}};
    EXPECT_EQ(
        linesOf({page}),
        (QStringList{"[1]", "A shout.", "", blanks(20) + "BRICK", blanks(10) + "Screw retirement.",
                     blanks(15) + "(beat)", blanks(10) + "I mean it.", "", blanks(20) + "STEEL",
                     blanks(10) + "Never!", blanks(10) + "Ever.", "", "They glare."}));
}

TEST(PdfReader, UpsideDownPage_ReadTopToBottom)
{
    TypedPage page{72.0, 12, {"INT. MILL - DAY", "", blanks(20) + "ADA", blanks(10) + "Late."}};
    const QStringList upright = linesOf({page});
    page.upsideDown = true;
    EXPECT_EQ(linesOf({page}), upright);
    EXPECT_EQ(upright.last(), blanks(10) + "Late.");
}

TEST(PdfReader, PageOverTheTextBound_FailsNamingThePage)
{
    PdfPageBounds bounds;
    bounds.maxCharacters = 20;
    const QByteArray pdf = typedPdf({TypedPage{72.0, 12, {"INT. MILL", "", blanks(20) + "ADA"}},
                                     TypedPage{72.0, 12, {"A page of rather more words"}}});
    const ScreenplayText text = readPdf(pdf, bounds);
    EXPECT_EQ(text.error, "page 2 holds far more text than a screenplay page (over 20 "
                          "characters)");
    EXPECT_TRUE(text.lines.isEmpty());
}

TEST(PdfReader, NoReadableText_Refused)
{
    const QByteArray zeros = QByteArray(32, '0').toHex();
    const QByteArray encrypted =
        "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
        "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
        "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >> endobj\n"
        "4 0 obj << /Filter /Standard /V 1 /R 2 /O <" +
        zeros + "> /U <" + zeros +
        "> /P -4 >> endobj\ntrailer << /Root 1 0 R /Encrypt 4 0 R /ID [<" + zeros + "> <" + zeros +
        ">] /Size 5 >>\n%%EOF\n";
    const QList<QPair<QByteArray, QString>> cases{
        {scannedPdf(), "has no text layer: a scanned PDF needs OCR first"},
        {encrypted, "is encrypted: save a copy without its password first"},
        {"INT. HOUSE - DAY\n", "is not a PDF file, or is too damaged to read"},
        {typedPdf(
             {TypedPage{72.0, 12, {"Dear Ann,", "", "THE KETTLE", "", blanks(10) + "Yours,"}}}),
         "has no layout that could be read as a screenplay: no line stands as a speaker's cue "
         "above dialogue"},
    };
    for (const auto &[bytes, reason] : cases) {
        const ScreenplayText text = readPdf(bytes);
        EXPECT_EQ(text.error, reason);
        EXPECT_TRUE(text.lines.isEmpty());
    }
}
