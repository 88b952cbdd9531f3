#include "RunOutputs.h"

#include "CliOptions.h"
#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"
#include "scenes/CorpusSummary.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace RunOutputs {

namespace {

const char *const everyEnding[] = {"-scene.csv",     "-character.csv",   "-markup.html",
                                   "-presence.csv",  "-network.graphml", ".png",
                                   "-locations.csv", "-facts.json"};

// A file's names as the checks compare them: absolute, with the links of its folder resolved.
// The last name itself is kept, since a write replaces a link there rather than its target.
class NameResolver
{
public:
    QString replacedBy(const QString &path)
    {
        const QFileInfo info(path);
        const QString folder = info.absolutePath();
        auto found = m_folders.find(folder);
        if (found == m_folders.end()) {
            const QString canonical = QFileInfo(folder).canonicalFilePath();
            found = m_folders.insert(folder, canonical.isEmpty() ? folder : canonical);
        }
        return *found + QLatin1Char('/') + info.fileName();
    }

    // A file read is found both under its name and, through links, as the file itself.
    void addRead(const QString &path, QSet<QString> &names)
    {
        names.insert(replacedBy(path));
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty())
            names.insert(target);
    }

private:
    QHash<QString, QString> m_folders; // folder as given -> with its links resolved
};

} // namespace

QStringList besideScreenplay(const QString &screenplay, const CliOptions &options)
{
    QStringList outputs{screenplay + QStringLiteral("-scene.csv"),
                        screenplay + QStringLiteral("-character.csv"),
                        screenplay + QStringLiteral("-markup.html")};
    if (options.matrix)
        outputs.append(screenplay + QStringLiteral("-presence.csv"));
    if (options.network)
        outputs.append(screenplay + QStringLiteral("-network.graphml"));
    if (options.image)
        outputs.append(screenplay + QStringLiteral(".png"));
    return outputs;
}

bool isOutputName(const QByteArray &name)
{
    static const QStringList suffixes = screenplaySuffixes();
    for (const char *ending : everyEnding) {
        if (!name.endsWith(ending))
            continue;
        const QByteArray screenplay = name.left(name.size() - int(qstrlen(ending)));
        const int dot = screenplay.lastIndexOf('.');
        if (dot >= 0 && suffixes.contains(QString::fromLatin1(screenplay.mid(dot + 1)).toLower()))
            return true;
    }
    return false;
}

QString clashWithInputs(const QStringList &screenplays, const CliOptions &options,
                        const SettingsPaths &settings)
{
    NameResolver names;
    QSet<QString> read;
    for (const QString &screenplay : screenplays)
        names.addRead(screenplay, read);
    if (!options.filesFrom.isEmpty() && options.filesFrom != QLatin1String("-"))
        names.addRead(options.filesFrom, read);
    for (const QString &file :
         {settings.config, settings.breakStrings, settings.characters, settings.colors})
        names.addRead(file, read);

    const QString summary =
        options.summary.isEmpty() ? QString() : names.replacedBy(options.summary);
    if (!summary.isEmpty() && read.contains(summary))
        return QStringLiteral("--summary %1 is a file this run reads; choose another name for the "
                              "corpus table")
            .arg(options.summary);
    for (const QString &screenplay : screenplays) {
        for (const QString &output : besideScreenplay(screenplay, options)) {
            const QString name = names.replacedBy(output);
            if (read.contains(name))
                return QStringLiteral("%1, an output of %2, is a file this run reads; rename one "
                                      "of them")
                    .arg(output, screenplay);
            if (name == summary)
                return QStringLiteral("--summary %1 is also an output of %2; choose another name "
                                      "for the corpus table")
                    .arg(options.summary, screenplay);
        }
    }
    return QString();
}

bool isCorpusTable(const QString &path)
{
    const QString header = corpusSummaryHeader({});
    // The columns before the break strings' are the same in every table.
    const QString fixedColumns = header.left(header.indexOf(QLatin1String("most lines")));
    const std::optional<QByteArray> bytes = TextFile::readBytes(path);
    return bytes && TextFile::decode(*bytes).startsWith(fixedColumns);
}

} // namespace RunOutputs
