// The command-line tool, run as a separate process on real screenplays.

#include "PrintedScreenplay.h"
#include "TestSupport.h"
#include "TypedPdf.h"

#include "document/AnalysisSession.h"
#include "reader/TextFile.h"
#include "scenes/BreakStringFile.h"
#include "scenes/SavedMarkup.h"
#include "scenes/Statistics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

const QString sceneHeader =
    QStringLiteral("SceneNumber,Type,NumCharacters,Start,Stop,Length,NumLines,startPage,endPage,"
                   "Characters,");
const QString characterHeader =
    QStringLiteral("characters,NumScenes,NumDialogueLines,NumInstances,PerInvolved,Start,Stop,");

QString firstLine(const QString &path)
{
    const QByteArray bytes = readBytes(path);
    return QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
}

QStringList jsonLines(const QByteArray &out)
{
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class CliTest : public ::testing::Test
{
protected:
    // A corpus screenplay copied into the scratch folder, so its outputs land there.
    QString copyOfCorpus(const QString &name) const
    {
        const QString path = scratch.file(name);
        QFile::copy(corpusFile(name), path);
        return path;
    }

    CliRun run(const QStringList &arguments, const QString &workingDirectory = QString()) const
    {
        QProcess process;
        process.setWorkingDirectory(workingDirectory.isEmpty() ? scratch.path() : workingDirectory);
        process.start(QStringLiteral(QUILLMARK_CLI), arguments);
        CliRun result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    // The window's pipeline run in this process on the same file and settings.
    static Analysis analysedHere(const QString &path, const SettingsPaths &settings)
    {
        AnalysisSession session(settings);
        session.readSettings();
        return *session.analyse(path);
    }

    ScratchDir scratch;
};

TEST_F(CliTest, WritesExactlyTheLibraryOutputs_ForCorpusScreenplays)
{
    const QString settings = scratch.file(QStringLiteral("settings"));
    QDir().mkpath(settings);
    saveBreakStringFile(QDir(settings).filePath(QStringLiteral("breakStrings.txt")),
                        sampleBreakStrings());
    const QStringList names{
        QStringLiteral("the_library_freak_out.txt"), QStringLiteral("the_library_freak_out.html"),
        QStringLiteral("cyber_bob_ep1.txt"), QStringLiteral("cyber_bob_ep1.html")};
    QStringList paths;
    for (const QString &name : names)
        paths.append(copyOfCorpus(name));

    const CliRun result = run(QStringList{QStringLiteral("--workdir"), settings} + paths);
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.constData();
    EXPECT_TRUE(result.err.contains("[4/4] " + QFile::encodeName(paths.last())));

    for (const QString &path : paths) {
        SCOPED_TRACE(path.toStdString());
        Analysis expected = analysedHere(path, SettingsPaths::in(settings));
        ASSERT_GT(expected.timeIndex->scenes.size(), 1u) << "break strings were not applied";
        ASSERT_FALSE(expected.timeIndex->characters.empty());

        const QString scenes = path + QStringLiteral("-scene.csv");
        const QString characters = path + QStringLiteral("-character.csv");
        const QString markup = path + QStringLiteral("-markup.html");
        EXPECT_EQ(firstLine(scenes), sceneHeader);
        EXPECT_EQ(firstLine(characters), characterHeader);
        EXPECT_TRUE(readBytes(markup).startsWith(
            "<head><meta charset='utf-8'><style type='text/css'>span."));
        EXPECT_EQ(TextFile::decode(readBytes(scenes)),
                  sceneStatsCsv(*expected.timeIndex, expected.textLines.size()));
        EXPECT_EQ(TextFile::decode(readBytes(characters)), characterStatsCsv(*expected.timeIndex));
        EXPECT_EQ(TextFile::decode(readBytes(markup)), expected.savedMarkup());
    }
}

TEST_F(CliTest, ShippedExamples_AnalyseWithTheirOwnSettings)
{
    const QDir examples(QStringLiteral(QUILLMARK_SOURCE_DIR "/examples"));
    const QStringList settingsFiles{QStringLiteral("config.txt"),
                                    QStringLiteral("breakStrings.txt"),
                                    QStringLiteral("characters.txt"), QStringLiteral("colors.txt")};
    // What an earlier run in examples/ left there is not shipped.
    const QRegularExpression output(
        QStringLiteral("\\.(txt|csv|html|fdx|fountain|pdf)(-|\\.png$)"));
    QStringList screenplays;
    for (const QFileInfo &entry : examples.entryInfoList(QDir::Files, QDir::Name)) {
        if (output.match(entry.fileName()).hasMatch() || entry.fileName().startsWith("corpus."))
            continue;
        QFile::copy(entry.filePath(), scratch.file(entry.fileName()));
        const QString suffix = entry.suffix();
        if ((suffix == QLatin1String("txt") && !settingsFiles.contains(entry.fileName())) ||
            suffix == QLatin1String("html") || suffix == QLatin1String("csv"))
            screenplays.append(entry.fileName());
    }
    ASSERT_GE(screenplays.size(), 3) << "examples/ should ship text, HTML and time-coded files";

    const CliRun result = run(QStringList{QStringLiteral("--json")} + screenplays);
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    const QStringList lines = jsonLines(result.out);
    ASSERT_EQ(lines.size(), screenplays.size());
    for (int i = 0; i < screenplays.size(); ++i) {
        SCOPED_TRACE(screenplays.at(i).toStdString());
        const QString path = scratch.file(screenplays.at(i));
        EXPECT_EQ(firstLine(path + QStringLiteral("-scene.csv")), sceneHeader);
        EXPECT_EQ(firstLine(path + QStringLiteral("-character.csv")), characterHeader);
        EXPECT_TRUE(readBytes(path + QStringLiteral("-markup.html"))
                        .startsWith("<head><meta charset='utf-8'><style"));
        const QJsonObject object = QJsonDocument::fromJson(lines.at(i).toUtf8()).object();
        EXPECT_EQ(object.value(QStringLiteral("file")).toString(), screenplays.at(i));
        EXPECT_FALSE(object.value(QStringLiteral("characters")).toArray().isEmpty());
        EXPECT_FALSE(object.value(QStringLiteral("scenes")).toArray().isEmpty());
    }
}

TEST_F(CliTest, JsonDescribesEachScreenplay_AndKeepsStandardOutputClean)
{
    const QString text = copyOfCorpus(QStringLiteral("cyber_bob_ep1.txt"));
    const QString xml =
        scratch.write(QStringLiteral("walk.xml"), "<div style='color: red'>a</div><div>b</div>\n");
    saveBreakStringFile(scratch.file(QStringLiteral("breakStrings.txt")), sampleBreakStrings());

    const CliRun result = run({QStringLiteral("--json"), text, xml});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    // The XML walk still reports, but on standard error.
    EXPECT_TRUE(result.err.contains("found color: red\nfound (null)\nwe're out\n"))
        << result.err.constData();
    // Without --json too: standard output carries results only.
    const CliRun plain = run({xml});
    EXPECT_TRUE(plain.out.isEmpty()) << plain.out.constData();
    EXPECT_TRUE(plain.err.contains("we're out\n")) << plain.err.constData();

    const QStringList lines = jsonLines(result.out);
    ASSERT_EQ(lines.size(), 2) << result.out.constData();
    const Analysis expected = analysedHere(text, SettingsPaths::in(scratch.path()));
    const CharacterList &characters = expected.timeIndex->characters;

    QJsonParseError error;
    const QJsonObject first = QJsonDocument::fromJson(lines.at(0).toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << lines.at(0).toStdString();
    EXPECT_EQ(first.value(QStringLiteral("file")).toString(), text);
    EXPECT_EQ(first.value(QStringLiteral("lines")).toInt(), expected.textLines.size());
    EXPECT_EQ(first.value(QStringLiteral("speakerIndent")).toInt(), expected.speakerIndent);

    const QJsonArray jsonCharacters = first.value(QStringLiteral("characters")).toArray();
    ASSERT_EQ(jsonCharacters.size(), static_cast<int>(characters.size()));
    QStringList firstNames;
    for (int i = 0; i < jsonCharacters.size(); ++i) {
        const QJsonObject character = jsonCharacters.at(i).toObject();
        const QStringList names =
            character.value(QStringLiteral("names")).toVariant().toStringList();
        firstNames.append(names.value(0));
        EXPECT_EQ(names, characters.at(i)->names);
        EXPECT_EQ(character.value(QStringLiteral("count")).toInt(), characters.at(i)->count);
        EXPECT_EQ(character.value(QStringLiteral("indent")).toInt(), characters.at(i)->indent);
        EXPECT_EQ(character.value(QStringLiteral("color")).toString(),
                  characters.at(i)->color.name());
        EXPECT_TRUE(character.value(QStringLiteral("forced")).isBool());
    }
    EXPECT_TRUE(firstNames.contains(QStringLiteral("BOB")));
    EXPECT_TRUE(firstNames.contains(QStringLiteral("MARGARET")));

    const QJsonArray scenes = first.value(QStringLiteral("scenes")).toArray();
    ASSERT_EQ(scenes.size(), static_cast<int>(expected.timeIndex->scenes.size()));
    ASSERT_GT(scenes.size(), 1);
    for (int i = 0; i < scenes.size(); ++i) {
        const QJsonObject scene = scenes.at(i).toObject();
        const Scene &reference = expected.timeIndex->scenes.at(i);
        EXPECT_EQ(scene.value(QStringLiteral("type")).toString(), reference.type);
        const double start = scene.value(QStringLiteral("start")).toDouble(-1.0);
        const double end = scene.value(QStringLiteral("end")).toDouble(-1.0);
        EXPECT_TRUE(std::isfinite(start) && std::isfinite(end));
        // Written with the float's own shortest digits, so it reads back exactly.
        EXPECT_EQ(static_cast<float>(start), reference.start);
        EXPECT_EQ(static_cast<float>(end), reference.end);
        EXPECT_EQ(scene.value(QStringLiteral("counts")).toArray().size(), jsonCharacters.size());
        EXPECT_EQ(scene.value(QStringLiteral("pages")).toArray().size(), reference.pages.size());
    }

    const QJsonObject second = QJsonDocument::fromJson(lines.at(1).toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << lines.at(1).toStdString();
    EXPECT_EQ(second.value(QStringLiteral("file")).toString(), xml);
    EXPECT_TRUE(second.value(QStringLiteral("characters")).toArray().isEmpty());
    EXPECT_TRUE(second.value(QStringLiteral("scenes")).toArray().isEmpty());
}

TEST_F(CliTest, TimeCodedScreenplays_GiveFinitePositionsInJson)
{
    const QString duel =
        scratch.write(QStringLiteral("duel.csv"), "0.0,4.5,\"['ANNA', 'BEN']\"\n"
                                                  "6.0,3.0,\"['ANNA']\"\n"
                                                  "12.5,3.0,\"['KEEPER', 'BEN']\"\n");
    // Every record at the same moment and without duration: a time span of zero.
    const QString instant =
        scratch.write(QStringLiteral("instant.csv"), "5,0,\"['ANNA']\"\n5,0,\"['ANNA']\"\n");

    const CliRun result = run({QStringLiteral("--json"), duel, instant});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    const QStringList lines = jsonLines(result.out);
    ASSERT_EQ(lines.size(), 2) << result.out.constData();
    for (const QString &line : lines) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8(), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        const QJsonArray scenes = object.value(QStringLiteral("scenes")).toArray();
        ASSERT_FALSE(scenes.isEmpty());
        for (const QJsonValue &scene : scenes) {
            for (const char *key : {"start", "end"}) {
                const QJsonValue position = scene.toObject().value(QLatin1String(key));
                ASSERT_TRUE(position.isDouble()) << line.toStdString();
                EXPECT_TRUE(std::isfinite(position.toDouble()));
            }
        }
    }
    const QJsonObject first = QJsonDocument::fromJson(lines.at(0).toUtf8()).object();
    const QJsonArray scenes = first.value(QStringLiteral("scenes")).toArray();
    EXPECT_EQ(scenes.first().toObject().value(QStringLiteral("type")).toString(), "fight");
    EXPECT_EQ(scenes.first().toObject().value(QStringLiteral("start")).toDouble(), 0.0);
    EXPECT_EQ(first.value(QStringLiteral("characters")).toArray().size(), 3);
}

TEST_F(CliTest, SettingsComeFromWorkdirOrCurrentDirectory)
{
    const QString screenplay = copyOfCorpus(QStringLiteral("cyber_bob_ep1.txt"));
    const QString settings = scratch.file(QStringLiteral("settings"));
    QDir().mkpath(settings);
    const QDir settingsDir(settings);
    saveBreakStringFile(settingsDir.filePath(QStringLiteral("breakStrings.txt")),
                        sampleBreakStrings());
    TextFile::writeText(settingsDir.filePath(QStringLiteral("characters.txt")),
                        QStringLiteral("MARGARET : 1 2 3\n"));

    auto parsed = [](const CliRun &result) {
        return QJsonDocument::fromJson(result.out).object();
    };
    auto margaretColor = [](const QJsonObject &object) {
        for (const QJsonValue &value : object.value(QStringLiteral("characters")).toArray()) {
            const QJsonObject character = value.toObject();
            if (character.value(QStringLiteral("names")).toArray().at(0).toString() ==
                QLatin1String("MARGARET"))
                return character.value(QStringLiteral("color")).toString() +
                       (character.value(QStringLiteral("forced")).toBool() ? "!" : "");
        }
        return QString();
    };

    // No settings in the scratch folder: no break strings, so one scene only.
    const QJsonObject bare = parsed(run({QStringLiteral("--json"), screenplay}));
    EXPECT_EQ(bare.value(QStringLiteral("scenes")).toArray().size(), 1);
    EXPECT_NE(margaretColor(bare), QStringLiteral("#010203!"));

    const QJsonObject viaWorkdir = parsed(
        run({QStringLiteral("--json"), QStringLiteral("--workdir=") + settings, screenplay}));
    EXPECT_GT(viaWorkdir.value(QStringLiteral("scenes")).toArray().size(), 1);
    EXPECT_EQ(margaretColor(viaWorkdir), QStringLiteral("#010203!"));

    const QJsonObject viaCurrentDirectory =
        parsed(run({QStringLiteral("--json"), screenplay}, settings));
    EXPECT_EQ(viaCurrentDirectory, viaWorkdir);

    // Options are read before discovery, so switching discovery off leaves no characters.
    TextFile::writeText(settingsDir.filePath(QStringLiteral("config.txt")),
                        QStringLiteral("Find the Characters in the Text False\n"));
    const QJsonObject withoutDiscovery =
        parsed(run({QStringLiteral("--json"), QStringLiteral("--workdir"), settings, screenplay}));
    EXPECT_TRUE(withoutDiscovery.value(QStringLiteral("characters")).toArray().isEmpty());
}

TEST_F(CliTest, MissingFile_IsReportedAndTheOthersAreStillProcessed)
{
    const QString missing = scratch.file(QStringLiteral("no such screenplay.txt"));
    const QString good = copyOfCorpus(QStringLiteral("the_library_freak_out.txt"));

    const CliRun result = run({QStringLiteral("--json"), missing, good});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("cannot read " + QFile::encodeName(missing)))
        << result.err.constData();
    EXPECT_TRUE(result.err.contains("[2/2] " + QFile::encodeName(good)));
    EXPECT_FALSE(QFile::exists(missing + QStringLiteral("-scene.csv")));
    EXPECT_EQ(firstLine(good + QStringLiteral("-scene.csv")), sceneHeader);

    // Only the readable screenplay gets a JSON object.
    const QStringList lines = jsonLines(result.out);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(QJsonDocument::fromJson(lines.at(0).toUtf8())
                  .object()
                  .value(QStringLiteral("file"))
                  .toString(),
              good);
}

TEST_F(CliTest, PrintedScreenplay_JsonGivesItsLayout_AndALayoutWithoutCuesFails)
{
    ensureGuiApplication();
    PrintStyle style;
    style.titleKeys = true;
    const QStringList typed = TextFile::readLines(corpusFile("cyber_bob_ep1.txt")).value();
    const QString printed =
        scratch.write(QStringLiteral("printed.pdf"), PrintedScreenplay::pdf(typed, style));
    const QString letter = scratch.write(
        QStringLiteral("letter.pdf"), typedPdf({TypedPage{72.0, 12, {"Dear Ann,", "", "Yours."}}}));

    const CliRun result = run({QStringLiteral("--json"), printed, letter});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("cannot read " + QFile::encodeName(letter) +
                                    ": has no layout that could be read as a screenplay"))
        << result.err.constData();
    const QStringList lines = jsonLines(result.out);
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject layout =
        QJsonDocument::fromJson(lines.at(0).toUtf8()).object().value("layout").toObject();
    EXPECT_EQ(layout.value("page").toObject().value("name").toString(), "US Letter");
    EXPECT_EQ(layout.value("titlePages").toArray(), QJsonArray{1});
    const QJsonObject columns = layout.value("columns").toObject();
    EXPECT_NEAR(columns.value("cue").toDouble(), style.cue, 0.05);
    EXPECT_NEAR(columns.value("dialogue").toDouble(), style.dialogue, 0.05);
    EXPECT_TRUE(columns.contains("parenthetical") && columns.contains("action"));
}

TEST_F(CliTest, UnwritableOutput_IsReportedAndTheOthersAreStillProcessed)
{
    const QString blocked = copyOfCorpus(QStringLiteral("cyber_bob_ep1.txt"));
    const QString good = copyOfCorpus(QStringLiteral("the_library_freak_out.txt"));
    // A folder where the output file belongs: the final rename fails even for root, for
    // whom read-only permissions would not be enforced.
    const QString sceneOutput = blocked + QStringLiteral("-scene.csv");
    ASSERT_TRUE(QDir().mkpath(sceneOutput));

    const CliRun result = run({blocked, good});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("cannot write " + QFile::encodeName(sceneOutput)))
        << result.err.constData();
    EXPECT_TRUE(QFileInfo(sceneOutput).isDir());
    // The failure of one output does not hold back the others.
    EXPECT_EQ(firstLine(blocked + QStringLiteral("-character.csv")), characterHeader);
    EXPECT_EQ(firstLine(good + QStringLiteral("-scene.csv")), sceneHeader);
    EXPECT_EQ(firstLine(good + QStringLiteral("-character.csv")), characterHeader);
    EXPECT_TRUE(QFile::exists(good + QStringLiteral("-markup.html")));
}

TEST_F(CliTest, CommandLineMistakes_AreUsageErrors)
{
    const CliRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: quillmark-cli"));
    // Help asked for before a mistake is still given.
    EXPECT_EQ(run({QStringLiteral("--help"), QStringLiteral("--jsn")}).exitCode, 0);

    struct Case
    {
        QStringList arguments;
        const char *message;
    };
    const Case cases[] = {
        {{}, "no screenplay given"},
        {{QStringLiteral("--jsn"), QStringLiteral("a.txt")}, "unknown option --jsn"},
        {{QStringLiteral("a.txt"), QStringLiteral("--workdir")}, "--workdir needs a value"},
        {{QStringLiteral("-hx"), QStringLiteral("a.txt")}, "unknown option -hx"},
        {{QStringLiteral("--json=1"), QStringLiteral("a.txt")}, "unknown option --json=1"},
        {{QStringLiteral("--worker")}, "--worker is only for the analysis processes"},
        // The first mistake is the one reported.
        {{QStringLiteral("--frames"), QStringLiteral("0"), QStringLiteral("--jsn"),
          QStringLiteral("a.txt")},
         "--frames takes a whole number"},
        {{QStringLiteral("--size=9x"), QStringLiteral("--help")}, "--size takes WIDTHxHEIGHT"},
        {{QStringLiteral("--workdir"), scratch.file(QStringLiteral("nowhere")),
          QStringLiteral("a.txt")},
         "settings folder not found"},
    };
    for (const Case &mistake : cases) {
        SCOPED_TRACE(mistake.message);
        const CliRun result = run(mistake.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains(mistake.message)) << result.err.constData();
        EXPECT_TRUE(result.out.isEmpty());
    }

    // After "--" a name that looks like an option is a file.
    const QString dashed = scratch.file(QStringLiteral("-dashed.txt"));
    QFile::copy(corpusFile(QStringLiteral("cyber_bob_ep1.txt")), dashed);
    const CliRun afterSeparator = run({QStringLiteral("--"), QStringLiteral("-dashed.txt")});
    EXPECT_EQ(afterSeparator.exitCode, 0) << afterSeparator.err.constData();
    EXPECT_TRUE(QFile::exists(dashed + QStringLiteral("-scene.csv")));
}

} // namespace

TEST_F(CliTest, OutputsAreUtf8_WithByteOrderMarkOnRequest_AndJsonNamesOptionsAndScenes)
{
    const QString path = scratch.write(QStringLiteral("accents.txt"),
                                       "INT. CAFÉ - DAY\n                    JOSÉ\n          Olá.\n"
                                       "                    JOSÉ\n          Adeus.\n");
    scratch.write(QStringLiteral("config.txt"), "MergeCueExtensions True\n");
    const CliRun result = run({QStringLiteral("--json"), QStringLiteral("--bom"), path});
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    const QByteArray characters = readBytes(path + QStringLiteral("-character.csv"));
    EXPECT_TRUE(characters.startsWith("\xEF\xBB\xBF"
                                      "characters,"))
        << characters.constData();
    EXPECT_TRUE(characters.contains("JOS\xC3\x89 ,")) << characters.constData();
    // The markup is UTF-8 too, without a mark.
    EXPECT_TRUE(readBytes(path + QStringLiteral("-markup.html")).contains("CAF\xC3\x89"));

    const QJsonObject object =
        QJsonDocument::fromJson(jsonLines(result.out).value(0).toUtf8()).object();
    const QJsonObject options = object.value(QStringLiteral("options")).toObject();
    EXPECT_TRUE(options.value(QStringLiteral("MergeCueExtensions")).toBool());
    EXPECT_FALSE(options.value(QStringLiteral("WholeNameMatch")).toBool());
    EXPECT_EQ(options.value(QStringLiteral("MinCharacterSpaces")).toInt(), 15);
    const QJsonObject jose = object.value(QStringLiteral("characters")).toArray().at(0).toObject();
    EXPECT_EQ(jose.value(QStringLiteral("scenes")).toInt(), 1);

    const CliRun plain = run({path});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(readBytes(path + QStringLiteral("-scene.csv")).startsWith("SceneNumber,"));
}
