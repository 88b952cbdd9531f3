#include "reader/FountainReader.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QStringList linesOf(const QByteArray &source)
{
    const ScreenplayText text = readFountain(source);
    EXPECT_TRUE(text.ok()) << text.error.toStdString();
    return text.lines;
}

} // namespace

TEST(FountainReader, Elements_WrittenAtTheirColumns)
{
    const QByteArray source = "Title: The Ferry\n"
                              "Author: A. Writer\n"
                              "\n"
                              "# Act One\n"
                              "= The crossing begins.\n"
                              "int. ferry deck - night #1A#\n"
                              "\n"
                              "...and the engine dies.\n"
                              "\n"
                              ".ENGINE ROOM\n"
                              "\n"
                              "JO (V.O.)\n"
                              "(whispering)\n"
                              "Hello?\n"
                              "~Row, row\n"
                              "\n"
                              "@McKay\n"
                              "Here.\n"
                              "\n"
                              "ALL CAPS, BUT (then lower) words\n"
                              "follow.\n"
                              "\n"
                              "CUT TO:\n"
                              "\n"
                              "> THE END <\n"
                              "===\n"
                              "> FADE OUT.\n";
    const QStringList expected{"[1]",
                               "int. ferry deck - night",
                               "",
                               "...and the engine dies.",
                               "",
                               "ENGINE ROOM",
                               "",
                               blanks(20) + "JO (V.O.)",
                               blanks(15) + "(whispering)",
                               blanks(10) + "Hello?",
                               blanks(10) + "Row, row",
                               "",
                               blanks(20) + "MCKAY",
                               blanks(10) + "Here.",
                               "",
                               "ALL CAPS, BUT (then lower) words",
                               "follow.",
                               "",
                               blanks(53) + "CUT TO:",
                               "",
                               "THE END",
                               "[2]",
                               blanks(51) + "FADE OUT."};
    EXPECT_EQ(linesOf(source), expected);
    EXPECT_EQ(readFountain(source).pageCount, 2);
}

// A heading in capitals with a line under it would otherwise be a cue.
TEST(FountainReader, SceneHeadings_AllPrefixesAnyCase)
{
    for (const QByteArray heading : {"INT. HALL", "EXT HALL", "EST. HALL", "INT./EXT. HALL",
                                     "INT/EXT HALL", "I/E HALL", "Ext. hall", "HALL #7#"}) {
        const QByteArray source = (heading.startsWith("HALL") ? "." : "") + heading + "\nRain.\n";
        EXPECT_EQ(linesOf(source), (QStringList{QString(heading).remove(" #7#"), "", "Rain."}));
    }
    EXPECT_EQ(linesOf("INTO THE DARK\nRain.\n"),
              (QStringList{blanks(20) + "INTO THE DARK", blanks(10) + "Rain."}));
}

TEST(FountainReader, DualDialogue_OneSpeechAfterTheOther)
{
    EXPECT_EQ(linesOf("BRICK\nScrew retirement.\n\nSTEEL ^\nScrew retirement!\n"),
              (QStringList{blanks(20) + "BRICK", blanks(10) + "Screw retirement.", "",
                           blanks(20) + "STEEL", blanks(10) + "Screw retirement!"}));
}

TEST(FountainReader, CommentsAndEmphasis_Removed)
{
    // A boneyard across lines joins them; a note on its own line between a cue and its
    // dialogue leaves no blank that would end the speech; an unclosed opener is text.
    const QByteArray source = "\xEF\xBB\xBFThe door /* an old\r\n"
                              "draft */opens.\r\n"
                              "\r\n"
                              "MAX\r\n"
                              "[[check this]]\r\n"
                              "\t**Bold** and _under_ and \\*stars\\* and *it*\r\n"
                              "\r\n"
                              "It costs 5 /* no end\r\n";
    EXPECT_EQ(linesOf(source), (QStringList{"The door opens.", "", blanks(20) + "MAX",
                                            blanks(10) + "Bold and under and *stars* and it", "",
                                            "It costs 5 /* no end"}));
    // Emphasis may enclose a line end within its paragraph.
    EXPECT_EQ(linesOf("**Note: first\nsecond.**\n"), (QStringList{"Note: first", "second."}));
}

TEST(FountainReader, LongParagraphs_WrappedAtPrintedWidths)
{
    const QByteArray words = QByteArray("word ").repeated(20).trimmed();
    const QStringList lines = linesOf("ANN\n" + words + "\n\n" + words + "\n");
    // Dialogue lines hold 35 characters, action lines 60.
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.at(1), blanks(10) + QByteArray("word ").repeated(7).trimmed());
    EXPECT_EQ(lines.at(3), blanks(10) + QByteArray("word ").repeated(6).trimmed());
    EXPECT_EQ(lines.at(5), QByteArray("word ").repeated(12).trimmed());
}

TEST(FountainReader, NothingToRead_Refused)
{
    for (const QByteArray &source :
         {QByteArray(), QByteArray(" \n\n\t\n"), QByteArray("Title: X\nAuthor: Y\n"),
          QByteArray("/* all\nof it */\n[[notes]]\n")}) {
        const ScreenplayText text = readFountain(source);
        EXPECT_FALSE(text.ok()) << source.toStdString();
        EXPECT_TRUE(text.lines.isEmpty());
    }
    EXPECT_EQ(readFountain("").error, "is empty");
}
