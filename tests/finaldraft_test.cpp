#include "reader/FinalDraftReader.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QByteArray finalDraft(const QByteArray &content, const QByteArray &prologue = QByteArray())
{
    return prologue + "<FinalDraft DocumentType=\"Script\" Version=\"5\">\n<Content>\n" + content +
           "</Content>\n<TitlePage><Content><Paragraph Type=\"Character\">" +
           "<Text>TITLE</Text></Paragraph></Content></TitlePage>\n</FinalDraft>\n";
}

QByteArray paragraph(const QByteArray &type, const QByteArray &runs)
{
    return "<Paragraph Type=\"" + type + "\">" + runs + "</Paragraph>\n";
}

} // namespace

TEST(FinalDraftReader, Paragraphs_ByTypeWithRunsJoined)
{
    const QByteArray content =
        paragraph("Scene Heading", "<SceneProperties Page=\"\"/><Text>INT. MILL - DAY</Text>") +
        paragraph("Character", "<Text>Ada</Text><Text Style=\"Bold\"> (cont'd)</Text>") +
        paragraph("Parenthetical", "<Text>(quietly)</Text>") +
        paragraph("Dialogue",
                  "<Text>It's </Text><Text Style=\"Italic\">late</Text><Text>.</Text>") +
        "<Paragraph><DualDialogue>\n" + paragraph("Character", "<Text>BEA</Text>") +
        paragraph("Dialogue", "<Text>Left &amp; first.</Text>") +
        paragraph("Character", "<Text>CY</Text>") + paragraph("Dialogue", "<Text>Right.</Text>") +
        "</DualDialogue></Paragraph>\n" + paragraph("Cast List", "<Text>ADA, BEA</Text>") +
        paragraph("Transition", "<Text>CUT TO:</Text>");
    const ScreenplayText text = readFinalDraft(finalDraft(content));
    ASSERT_TRUE(text.ok()) << text.error.toStdString();
    EXPECT_EQ(text.lines,
              (QStringList{"INT. MILL - DAY", "", blanks(20) + "ADA (cont'd)",
                           blanks(15) + "(quietly)", blanks(10) + "It's late.", "",
                           blanks(20) + "BEA", blanks(10) + "Left & first.", "", blanks(20) + "CY",
                           blanks(10) + "Right.", "", "ADA, BEA", "", blanks(53) + "CUT TO:"}));
}

TEST(FinalDraftReader, DeclaredEntities_NeverExpanded)
{
    // Neither an internal entity nor an external one is replaced, or fetched.
    const QByteArray prologue = "<?xml version=\"1.0\"?>\n<!DOCTYPE FinalDraft [\n"
                                "<!ENTITY name \"BOOM\">\n"
                                "<!ENTITY secret SYSTEM \"file:///etc/hostname\">\n]>\n";
    const ScreenplayText text = readFinalDraft(
        finalDraft(paragraph("Action", "<Text>a &name; b &secret;</Text>"), prologue));
    ASSERT_TRUE(text.ok()) << text.error.toStdString();
    EXPECT_EQ(text.lines, QStringList{"a &name; b &secret;"});
}

TEST(FinalDraftReader, Encoding_DeclaredOrMarkedIsHonoured)
{
    const QByteArray cue = paragraph("Character", "<Text>B\xD6"
                                                  "B \x80</Text>");
    const QString latin1 = blanks(20) + QString::fromUtf8("B\xC3\x96"
                                                          "B \xC2\x80");
    const QString windows = blanks(20) + QString::fromUtf8("B\xC3\x96"
                                                           "B \xE2\x82\xAC");
    const QList<QPair<QByteArray, QString>> cases{
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", latin1},
        {"<?xml version='1.0' encoding='windows-1252' ?>", windows}};
    for (const auto &[prologue, line] : cases) {
        const ScreenplayText text = readFinalDraft(finalDraft(cue, prologue));
        ASSERT_TRUE(text.ok()) << text.error.toStdString();
        EXPECT_EQ(text.lines, QStringList{line});
    }
    const QString utf16 =
        QString::fromUtf8(finalDraft(paragraph("Character", "<Text>Z\xC3\x8B</Text>")));
    QByteArray marked("\xFF\xFE");
    marked.append(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2);
    EXPECT_EQ(readFinalDraft(marked).lines,
              QStringList{blanks(20) + QString::fromUtf8("Z\xC3\x8B")});
    EXPECT_TRUE(readFinalDraft(finalDraft(cue, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"))
                    .error.startsWith("declares the encoding shift_jis, which is not read"));
}

TEST(FinalDraftReader, NotAScript_Refused)
{
    const QList<QPair<QByteArray, QString>> cases{
        {"<FinalDraft><Content><Paragraph>", "is not well-formed XML"},
        {"<html><body/></html>", "is not a Final Draft document"},
        {"<FinalDraft><TitlePage><Content/></TitlePage></FinalDraft>", "has no script content"},
        {finalDraft(paragraph("Action", "<Text> </Text>")), "holds no screenplay text"},
    };
    for (const auto &[bytes, reason] : cases) {
        const ScreenplayText text = readFinalDraft(bytes);
        EXPECT_TRUE(text.error.startsWith(reason)) << text.error.toStdString();
        EXPECT_TRUE(text.lines.isEmpty());
    }
}
