#include "reader/ScreenplayReader.h"

#include "TestSupport.h"
#include "characters/CharacterDiscovery.h"
#include "support/StageProgress.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

const QString sixteen(16, QLatin1Char(' '));

QStringList readFile(const QString &path, bool *ok = nullptr)
{
    const ScreenplayText read = readScreenplayFile(path);
    if (ok != nullptr)
        *ok = read.ok();
    return read.lines;
}

using CueCounts = std::map<std::string, int>;

// The characters found with the default options and no characters.txt, by name. The one
// place that calls discovery, so that a change of its signature is made here alone.
CueCounts charactersFound(const QStringList &lines)
{
    const DiscoveredCharacters discovered =
        discoverTextCharacters(lines, {}, AnalysisOptions(), {}, StageProgress());
    CueCounts found;
    for (const CharacterPtr &character : discovered.characters)
        found[character->names.join(QLatin1Char(' ')).toStdString()] = character->count;
    return found;
}

CueCounts charactersIn(const QString &file)
{
    const ScreenplayText text = readScreenplayFile(corpusFile(file));
    EXPECT_TRUE(text.ok()) << file.toStdString() << ": " << text.error.toStdString();
    return charactersFound(text.lines);
}

CueCounts castOf(const QString &screenplay)
{
    const QJsonObject cast =
        QJsonDocument::fromJson(readBytes(corpusFile(screenplay + ".cast.json")))["cast"]
            .toObject();
    CueCounts counts;
    for (auto it = cast.begin(); it != cast.end(); ++it)
        counts[it.key().toStdString()] = it.value()[QLatin1String("cues")].toInt();
    return counts;
}

} // namespace

TEST(ScreenplayReader, SpeakerHeading_BecomesIndentedName)
{
    EXPECT_EQ(normalizeScreenplayLine("<speaker id=1><center><b>MARY</b></center></speaker>"),
              sixteen + "MARY");
    // The last "<center><b>" opens the name, the first "</b></center>" after it closes it.
    EXPECT_EQ(
        normalizeScreenplayLine("<speaker><center><b>X<center><b>BOB</b></center>y</b></center>"),
        sixteen + "BOB");
    // Without the opening marker everything up to the closing one is kept, then rewritten.
    EXPECT_EQ(normalizeScreenplayLine("<speaker id=2>JOE</b></center></speaker>"),
              sixteen + "<speaker id=2> JOE");
    EXPECT_EQ(normalizeScreenplayLine("<speaker>\tANN"), sixteen + "<speaker>     ANN");
}

TEST(ScreenplayReader, SpeakerHeading_OnlyLowerCaseAtLineStart)
{
    EXPECT_EQ(normalizeScreenplayLine("<SPEAKER><center><b>MARY</b></center>"),
              "<SPEAKER> <center> <b> MARY</b> </center> ");
    EXPECT_EQ(normalizeScreenplayLine(" <speaker><center><b>MARY</b></center>"),
              " <speaker> <center> <b> MARY</b> </center> ");
    EXPECT_EQ(normalizeScreenplayLine("\t<speaker><center><b>MARY</b></center>"),
              "    <speaker> <center> <b> MARY</b> </center> ");
}

TEST(ScreenplayReader, Rewrites_TabsAnglesAndTagNames)
{
    EXPECT_EQ(normalizeScreenplayLine("a>b"), "a> b");
    EXPECT_EQ(normalizeScreenplayLine("\tJOHN"), "    JOHN");
    EXPECT_EQ(normalizeScreenplayLine("<h2>INT. HOUSE</h2>"), "<noh2> INT. HOUSE</noh2> ");
    EXPECT_EQ(normalizeScreenplayLine("<font color=red>hi</font>"),
              "<nofont color=red> hi</nofont> ");
    EXPECT_EQ(normalizeScreenplayLine("<p style=\"font-size: 9pt\">"),
              "<p style=\"no-font-size: 9pt\"> ");
    // Case-sensitive: upper-case tags stay as they are.
    EXPECT_EQ(normalizeScreenplayLine("<FONT><H2>"), "<FONT> <H2> ");
    EXPECT_EQ(normalizeScreenplayLine(""), "");
}

TEST(ScreenplayReader, ReadFile_OneEntryPerLineWithoutTerminators)
{
    ScratchDir dir;
    const QString path =
        dir.write("crlf.txt", "INT. ROOM\r\n\r\n\tBOB\r\n<speaker><center><b>ANN</b></center>\r\n");
    bool ok = false;
    const QStringList lines = readFile(path, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(lines, (QStringList{"INT. ROOM", "", "    BOB", sixteen + "ANN"}));
}

TEST(ScreenplayReader, ReadFile_EmptyOrBinaryTextIsRefusedWithTheReason)
{
    ScratchDir dir;
    for (const QByteArray &blank : {QByteArray(), QByteArray(" \n\t\r\n\n")}) {
        const ScreenplayText text = readScreenplayFile(dir.write("empty.txt", blank));
        EXPECT_EQ(text.error, QStringLiteral("is empty"));
    }
    QByteArray program("\x7f"
                       "ELF\x02\x01\x01");
    for (int i = 0; i < 200; ++i)
        program += QByteArray("\0\0\x03\0\x3e\0\x01\0\0\0\x10\x6d", 12);
    EXPECT_EQ(readScreenplayFile(dir.write("program.txt", program)).error,
              QStringLiteral("is not a text file: it holds binary data"));
    // A typed page with its form feed and tabs is text.
    EXPECT_TRUE(readScreenplayFile(dir.write("page.txt", "\fINT. HALL\n\tBOB\n")).ok());
}

TEST(ScreenplayReader, ReadFile_MissingFileGivesOneMarkerLine)
{
    ScratchDir dir;
    bool ok = true;
    EXPECT_EQ(readFile(dir.file("absent.txt"), &ok), QStringList{"file not found\n"});
    EXPECT_FALSE(ok);
    EXPECT_EQ(readFile(QString(), &ok), QStringList{"file not found\n"});
    EXPECT_FALSE(ok);
}

TEST(ScreenplayReader, ReadFile_RealHtmlScreenplay)
{
    const QStringList lines = readFile(corpusFile("cyber_bob_ep1.html"));
    ASSERT_EQ(lines.size(), 220);
    EXPECT_TRUE(lines.contains(sixteen + "MARGARET"));
    EXPECT_EQ(lines.at(3), "<style> p { no-font-size: 12pt; margin: 0; }</style> ");
    EXPECT_TRUE(lines.at(6).startsWith("<noh2> BOB THE CYBER PAWN"));
    for (const QString &line : lines)
        EXPECT_FALSE(line.contains("<speaker")) << line.toStdString();
}

TEST(ScreenplayReader, FileName_AfterLastSlash)
{
    EXPECT_EQ(screenplayFileName("/home/me/scripts/bob.html"), "bob.html");
    EXPECT_EQ(screenplayFileName("bob.html"), "bob.html");
    EXPECT_EQ(screenplayFileName("dir/"), "");
}

TEST(ScreenplayReader, XmlWalk_PrintsTopLevelDivStyles)
{
    ScratchDir dir;
    const QString path = dir.write(
        "walk.xml", "<div style=\"color: red\"><div style=\"inner\"/></div>\n<p style=\"x\"/>\n"
                    "<div/>\n<div style=\"a &amp; b\"></div>\n");
    testing::internal::CaptureStdout();
    walkXml(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "found color: red\nfound (null)\nfound a & b\nwe're out\n");

    testing::internal::CaptureStdout();
    walkXml(dir.file("missing.xml"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "we're out\n");
}

TEST(ScreenplayReader, Format_BySuffixIgnoringCase)
{
    EXPECT_EQ(screenplayFormat("a/b.Fountain"), "fountain");
    EXPECT_EQ(screenplayFormat("b.SPMD"), "fountain");
    EXPECT_EQ(screenplayFormat("b.fdx"), "fdx");
    EXPECT_EQ(screenplayFormat("b.PDF"), "pdf");
    EXPECT_EQ(screenplayFormat("b.pdf.txt"), "text");
    EXPECT_EQ(screenplayFormat("pdf"), "text");
}

TEST(ScreenplayReader, LaidOutFormats_RewrittenLikeTextOrRefusedEmpty)
{
    ScratchDir dir;
    const ScreenplayText fountain = readScreenplayFile(dir.write("a.FOUNTAIN", "Wait > go.\n"));
    EXPECT_EQ(fountain.format, "fountain");
    EXPECT_EQ(fountain.lines, QStringList{"Wait >  go."});
    for (const char *name : {"absent.pdf", "absent.fdx", "absent.spmd"}) {
        const ScreenplayText missing = readScreenplayFile(dir.file(QString::fromLatin1(name)));
        EXPECT_TRUE(missing.lines.isEmpty());
        EXPECT_TRUE(missing.error.startsWith("cannot be opened")) << missing.error.toStdString();
    }
}

// Both screenplays of the corpus: the structured sources name exactly the true cast with
// its cue counts; the PDFs give what their typed layout gives.
TEST(ScreenplayReader, Corpus_EveryFormatFindsTheSameCast)
{
    for (const QString screenplay : {"cyber_bob_ep1", "the_library_freak_out"}) {
        const CueCounts cast = castOf(screenplay);
        ASSERT_FALSE(cast.empty());
        EXPECT_EQ(charactersIn(screenplay + ".fountain"), cast);
        EXPECT_EQ(charactersIn(screenplay + ".fdx"), cast);
        EXPECT_EQ(charactersIn(screenplay + ".pdf"), charactersIn(screenplay + ".txt"));
    }
    EXPECT_EQ(charactersIn("the_library_freak_out-typed.pdf"),
              charactersIn("the_library_freak_out.txt"));
}
