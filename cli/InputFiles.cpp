#include "InputFiles.h"

#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

// What the tool itself leaves next to a screenplay, and the settings a folder of screenplays
// usually holds: none of them is a screenplay, though their suffixes would say so.
bool isOwnFile(const QString &name)
{
    static const char *const outputEndings[] = {"-scene.csv", "-character.csv", "-presence.csv",
                                                "-markup.html"};
    static const QStringList settingsNames = SettingsPaths::fileNames();
    const auto endsWith = [&](const char *ending) {
        return name.endsWith(QLatin1String(ending));
    };
    return std::any_of(std::begin(outputEndings), std::end(outputEndings), endsWith) ||
           settingsNames.contains(name);
}

QStringList screenplaysBelow(const QString &folder, const QStringList &excluded)
{
    const QStringList suffixes = screenplaySuffixes();
    QStringList found;
    // Links to folders are not followed: a link back up the tree would never end.
    QDirIterator walk(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        const QFileInfo info = walk.fileInfo();
        if (!suffixes.contains(info.suffix().toLower()) || isOwnFile(info.fileName()) ||
            excluded.contains(info.absoluteFilePath()))
            continue;
        found.append(path);
    }
    std::sort(found.begin(), found.end());
    return found;
}

void addArgument(const QString &argument, const QStringList &excluded, QStringList &files)
{
    if (QFileInfo(argument).isDir())
        files += screenplaysBelow(argument, excluded);
    else
        files.append(argument); // a missing file is reported when it is read
}

} // namespace

InputFiles collectInputFiles(const QStringList &arguments, const QString &listFile,
                             const QStringList &excluded)
{
    QStringList absoluteExcluded;
    for (const QString &path : excluded)
        absoluteExcluded.append(QFileInfo(path).absoluteFilePath());

    InputFiles inputs;
    for (const QString &argument : arguments)
        addArgument(argument, absoluteExcluded, inputs.files);
    if (listFile.isEmpty())
        return inputs;
    QString reason;
    const std::optional<QStringList> listed = TextFile::readListLines(listFile, &reason);
    if (!listed) {
        const QString shown =
            listFile == QLatin1String("-") ? QStringLiteral("standard input") : listFile;
        inputs.error = QStringLiteral("cannot read the file list %1: %2").arg(shown, reason);
        return inputs;
    }
    for (const QString &line : *listed) {
        if (!line.trimmed().isEmpty())
            addArgument(line, absoluteExcluded, inputs.files);
    }
    return inputs;
}
