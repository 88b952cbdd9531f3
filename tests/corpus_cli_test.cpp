// Corpus runs of the command-line tool: folders and lists as input, the research outputs, and
// the same bytes whatever the number of worker processes.

#include "TestSupport.h"

#include "reader/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct CliResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliResult runCli(const QString &folder, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(QUILLMARK_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    CliResult run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Every file below the folder by its relative path, with its bytes.
QMap<QString, QByteArray> contentsBelow(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    QDirIterator walk(folder, QDir::Files, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        contents.insert(QDir(folder).relativeFilePath(path), readBytes(path));
    }
    return contents;
}

// A small corpus: screenplays at two depths, a file that is not a screenplay, a settings file
// and a Final Draft file that cannot be read.
void writeCorpus(const QString &root)
{
    QDir().mkpath(root + QStringLiteral("/corpus/deeper"));
    QFile::copy(corpusFile(QStringLiteral("the_library_freak_out.txt")),
                root + QStringLiteral("/corpus/library.txt"));
    QFile::copy(corpusFile(QStringLiteral("cyber_bob_ep1.fountain")),
                root + QStringLiteral("/corpus/deeper/bob.fountain"));
    QFile::copy(corpusFile(QStringLiteral("the_library_freak_out.fdx")),
                root + QStringLiteral("/corpus/deeper/library.fdx"));
    TextFile::writeBytes(root + QStringLiteral("/corpus/deeper/broken.fdx"),
                         "<FinalDraft><Content>");
    TextFile::writeBytes(root + QStringLiteral("/corpus/notes.md"), "not a screenplay\n");
    TextFile::writeBytes(root + QStringLiteral("/corpus/config.txt"), "");
    TextFile::writeBytes(root + QStringLiteral("/breakStrings.txt"), "INT.\nEXT.\n");
}

QStringList csvLines(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Edge weights of a GraphML file by "source target", and the node names by id.
QMap<QString, int> graphEdges(const QByteArray &graphml, QMap<QString, QString> &names)
{
    QMap<QString, int> edges;
    QXmlStreamReader xml(graphml);
    QString node;
    QString edge;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("node")) {
            node = attributes.value(QLatin1String("id")).toString();
        } else if (xml.name() == QLatin1String("edge")) {
            edge = attributes.value(QLatin1String("source")).toString() + QLatin1Char(' ') +
                   attributes.value(QLatin1String("target")).toString();
        } else if (xml.name() == QLatin1String("data")) {
            const QString key = attributes.value(QLatin1String("key")).toString();
            const QString text = xml.readElementText();
            if (key == QLatin1String("name"))
                names.insert(node, text);
            else if (key == QLatin1String("weight"))
                edges.insert(edge, text.toInt());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return edges;
}

} // namespace

TEST(CorpusCliTest, FolderRun_GivesTheSameBytesForEveryJobCount_WithARowPerScreenplay)
{
    const QStringList arguments{QStringLiteral("--json"),      QStringLiteral("--matrix"),
                                QStringLiteral("--network"),   QStringLiteral("--summary"),
                                QStringLiteral("summary.csv"), QStringLiteral("corpus")};
    ScratchDir one;
    ScratchDir three;
    writeCorpus(one.path());
    writeCorpus(three.path());
    const CliResult serial =
        runCli(one.path(), QStringList{QStringLiteral("-j"), QStringLiteral("1")} + arguments);
    const CliResult parallel = runCli(three.path(), QStringList{QStringLiteral("-j3")} + arguments);

    EXPECT_EQ(serial.exitCode, 1) << "the broken file fails the run";
    EXPECT_EQ(parallel.exitCode, serial.exitCode);
    EXPECT_EQ(parallel.out, serial.out);
    EXPECT_EQ(parallel.err, serial.err);
    EXPECT_EQ(contentsBelow(three.path()), contentsBelow(one.path()));
    EXPECT_TRUE(serial.err.contains("[4/4] corpus/library.txt")) << serial.err.constData();
    EXPECT_TRUE(serial.err.contains("cannot read corpus/deeper/broken.fdx"));

    const QStringList rows = csvLines(readBytes(one.file(QStringLiteral("summary.csv"))));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows.at(0).startsWith(QLatin1String("file,format,lines,pages,scenes,characters,"
                                                    "speaker lines,scenes INT.,scenes EXT.,")));
    EXPECT_TRUE(rows.at(1).startsWith(QLatin1String("corpus/deeper/bob.fountain,fountain,")));
    EXPECT_TRUE(rows.at(2).startsWith(QLatin1String("corpus/deeper/broken.fdx,fdx,")));
    EXPECT_TRUE(rows.at(2).contains(QLatin1String(",yes,"))) << rows.at(2).toStdString();
    EXPECT_TRUE(rows.at(4).startsWith(QLatin1String("corpus/library.txt,text,")));
    EXPECT_TRUE(rows.at(4).contains(QLatin1String(",no,")));
    EXPECT_EQ(csvLines(serial.out).size(), 3) << "one JSON line per screenplay that was read";
}

TEST(CorpusCliTest, MatrixAndNetwork_AgreeWithTheSceneCountsOfTheJson)
{
    ScratchDir folder;
    writeCorpus(folder.path());
    // The list comes on standard input; a folder in it stands for its screenplays.
    const CliResult run =
        runCli(folder.path(),
               {QStringLiteral("--json"), QStringLiteral("--matrix"), QStringLiteral("--network"),
                QStringLiteral("--files-from"), QStringLiteral("-")},
               "corpus/library.txt\n\n");
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    const QJsonArray characters = json.value(QLatin1String("characters")).toArray();
    const QJsonArray scenes = json.value(QLatin1String("scenes")).toArray();
    ASSERT_GE(characters.size(), 3);

    const QString base = folder.file(QStringLiteral("corpus/library.txt"));
    const QStringList matrix = csvLines(readBytes(base + QStringLiteral("-presence.csv")));
    ASSERT_EQ(matrix.size(), characters.size() + 1);
    EXPECT_EQ(matrix.at(0).count(QLatin1Char(',')), scenes.size());
    QMap<QString, QString> names;
    const QMap<QString, int> edges =
        graphEdges(readBytes(base + QStringLiteral("-network.graphml")), names);
    EXPECT_EQ(names.size(), characters.size());

    int expectedEdges = 0;
    for (int a = 0; a < characters.size(); ++a) {
        QStringList row;
        for (const QJsonValue &scene : scenes)
            row.append(
                QString::number(scene.toObject()[QLatin1String("counts")].toArray()[a].toInt()));
        EXPECT_EQ(matrix.at(a + 1).section(QLatin1Char(','), 1), row.join(QLatin1Char(',')));
        for (int b = a + 1; b < characters.size(); ++b) {
            int shared = 0;
            for (const QJsonValue &scene : scenes) {
                const QJsonArray counts = scene.toObject()[QLatin1String("counts")].toArray();
                shared += counts[a].toInt() > 0 && counts[b].toInt() > 0 ? 1 : 0;
            }
            const QString key = QStringLiteral("n%1 n%2").arg(a).arg(b);
            EXPECT_EQ(edges.value(key), shared) << key.toStdString();
            expectedEdges += shared > 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(edges.size(), expectedEdges);
    EXPECT_EQ(names.value(QStringLiteral("n0")),
              characters.at(0).toObject()[QLatin1String("names")].toVariant().toStringList().join(
                  QLatin1Char(' ')));
}

TEST(CorpusCliTest, Facts_AgreeAcrossTheJsonTheLocationsAndTheCorpusTable)
{
    ScratchDir folder;
    writeCorpus(folder.path());
    const QStringList arguments{QStringLiteral("--facts"), QStringLiteral("--summary"),
                                QStringLiteral("summary.csv"), QStringLiteral("corpus")};
    ASSERT_EQ(runCli(folder.path(), arguments).exitCode, 1) << "the broken file fails the run";
    // Run again: the files the first run wrote are not taken for screenplays.
    ASSERT_EQ(runCli(folder.path(), arguments).exitCode, 1);

    const QString base = folder.file(QStringLiteral("corpus/library.txt"));
    const QJsonObject facts =
        QJsonDocument::fromJson(readBytes(base + QStringLiteral("-facts.json"))).object();
    const QJsonObject script = facts.value(QLatin1String("script")).toObject();
    const QJsonArray locations = facts.value(QLatin1String("locations")).toArray();
    EXPECT_EQ(facts.value(QLatin1String("scenes")).toArray().size(),
              script.value(QLatin1String("scenes")).toInt());
    const QJsonObject first = facts.value(QLatin1String("characters")).toArray().at(0).toObject();
    for (const char *key : {"name", "speeches", "dialogueLines", "dialogueWords", "speakingSeconds",
                            "scenes", "firstScene", "lastScene", "dialogueShare", "locations",
                            "degree", "weightedDegree", "betweenness"})
        EXPECT_TRUE(first.contains(QLatin1String(key))) << key;

    const QStringList located = csvLines(readBytes(base + QStringLiteral("-locations.csv")));
    ASSERT_FALSE(locations.isEmpty());
    EXPECT_EQ(located.size(), locations.size() + 1);
    EXPECT_EQ(located.at(0), QStringLiteral("location,scenes,pages,interiors,times,scene numbers"));

    const QStringList rows = csvLines(readBytes(folder.file(QStringLiteral("summary.csv"))));
    ASSERT_EQ(rows.size(), 5) << "one row per screenplay after the second run too";
    const QStringList header = rows.at(0).split(QLatin1Char(','));
    const QStringList row = rows.at(4).split(QLatin1Char(','));
    ASSERT_TRUE(row.first().endsWith(QLatin1String("library.txt")));
    const auto column = [&](const char *name) {
        return row.value(header.indexOf(QLatin1String(name)));
    };
    EXPECT_EQ(column("script scenes").toInt(), script.value(QLatin1String("scenes")).toInt());
    EXPECT_EQ(column("script pages").toDouble(), script.value(QLatin1String("pages")).toDouble());
    EXPECT_EQ(column("speeches").toInt(), script.value(QLatin1String("speeches")).toInt());
    EXPECT_EQ(column("network edges").toInt(),
              script.value(QLatin1String("network")).toObject().value("edges").toInt());
}
