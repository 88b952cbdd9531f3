#include "reader/PdfReader.h"

#include "TestSupport.h"
#include "TypedPdf.h"

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

} // namespace

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
    };
    for (const auto &[bytes, reason] : cases) {
        const ScreenplayText text = readPdf(bytes);
        EXPECT_EQ(text.error, reason);
        EXPECT_TRUE(text.lines.isEmpty());
    }
}
