#include "InputFiles.h"

#include "RunOutputs.h"
#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>

namespace {

// The settings a folder of screenplays usually holds: not screenplays, though their suffixes
// would say so.
bool isSettingsFile(const QByteArray &name)
{
    // The settings' names are plain ASCII, so the bytes compare as the names do.
    static const QStringList settingsNames = SettingsPaths::fileNames();
    return settingsNames.contains(QString::fromLatin1(name));
}

bool hasScreenplaySuffix(const QByteArray &name)
{
    static const QStringList suffixes = screenplaySuffixes();
    const int dot = name.lastIndexOf('.');
    return dot >= 0 && suffixes.contains(QString::fromLatin1(name.mid(dot + 1)).toLower());
}

// Walks the folder by the bytes of its names, so that a name the system's encoding cannot
// decode is found and reported rather than silently passed over.
class FolderWalk
{
public:
    FolderWalk(QString ownTable, InputFiles &inputs)
        : m_ownTable(std::move(ownTable))
        , m_inputs(inputs)
    {
    }

    void walk(const QByteArray &folder)
    {
        DIR *directory = ::opendir(folder.constData());
        if (directory == nullptr) {
            m_inputs.unusable.push_back({folder, QStringLiteral("cannot list the folder: ") +
                                                     QString::fromLocal8Bit(std::strerror(errno))});
            return;
        }
        std::vector<QByteArray> folders;
        while (const dirent *entry = ::readdir(directory)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const QByteArray path = folder + '/' + name;
            struct stat status;
            // Links to folders are not followed: a link back up the tree would never end.
            if (::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode))
                folders.push_back(path);
            else if (::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode))
                addFile(path, name);
        }
        ::closedir(directory);
        for (const QByteArray &below : folders)
            walk(below);
    }

    // The screenplays found, sorted by path.
    QStringList found() const
    {
        QStringList sorted = m_found;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

private:
    void addFile(const QByteArray &path, const QByteArray &name)
    {
        if (!hasScreenplaySuffix(name) || isSettingsFile(name) || RunOutputs::isOutputName(name))
            return;
        const QString decoded = QFile::decodeName(path);
        if (QFile::encodeName(decoded) != path) {
            m_inputs.unusable.push_back(
                {path, QStringLiteral("its name is not valid in the system's encoding, so it "
                                      "cannot be opened; rename it")});
            return;
        }
        if (!m_ownTable.isEmpty() && QFileInfo(decoded).absoluteFilePath() == m_ownTable)
            return;
        m_found.append(decoded);
    }

    QString m_ownTable; // absolute
    InputFiles &m_inputs;
    QStringList m_found;
};

void addArgument(const QString &argument, const QString &ownTable, InputFiles &inputs)
{
    if (!QFileInfo(argument).isDir()) {
        inputs.files.append(argument); // a missing file is reported when it is read
        return;
    }
    QByteArray folder = QFile::encodeName(argument);
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    FolderWalk walk(ownTable, inputs);
    walk.walk(folder);
    inputs.files += walk.found();
}

} // namespace

InputFiles collectInputFiles(const QStringList &arguments, const QString &listFile,
                             const QString &ownTable)
{
    const QString ownTableAbsolute =
        ownTable.isEmpty() ? QString() : QFileInfo(ownTable).absoluteFilePath();
    InputFiles inputs;
    for (const QString &argument : arguments)
        addArgument(argument, ownTableAbsolute, inputs);
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
            addArgument(line, ownTableAbsolute, inputs);
    }
    return inputs;
}

QByteArray printablePath(const QByteArray &path)
{
    if (QFile::encodeName(QFile::decodeName(path)) == path)
        return path;
    QByteArray shown;
    for (const char byte : path) {
        if (static_cast<unsigned char>(byte) < 0x80)
            shown.append(byte);
        else
            shown += "\\x" + QByteArray::number(static_cast<unsigned char>(byte), 16).toUpper();
    }
    return shown;
}
