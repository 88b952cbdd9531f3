#include "FuzzInput.h"

#include "app/DocumentModel.h"
#include "characters/CharacterDiscovery.h"
#include "reader/ScreenplayText.h"
#include "reader/StageProgress.h"
#include "scenes/BreakStringFile.h"
#include "scenes/MarkupBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

#include <unistd.h>

QString writeFuzzInput(const uint8_t *data, size_t size)
{
    // In memory where there is a tmpfs: rewriting a truncated file on a journalling file
    // system waits for the disk and made every run take milliseconds.
    static const QDir folder = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                   ? QDir(QStringLiteral("/dev/shm"))
                                   : QDir::temp();
    static const QString path =
        folder.filePath(QStringLiteral("quillmark-fuzz-%1.txt").arg(::getpid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    return path;
}

void analyseText(DocumentModel &document)
{
    const StageProgress progress;
    document.characters = discoverTextCharacters(document.textLines, document.includeCharacters,
                                                 document.options, document.palette, progress)
                              .characters;
    document.takeMarkup(markupText(document.markupSources(), progress));
}

void checkAndAnalyse(const ScreenplayText &text)
{
    if (text.ok() == text.lines.isEmpty())
        std::abort();
    DocumentModel document;
    document.breakStrings = sampleBreakStrings();
    document.textLines = text.lines;
    analyseText(document);
}
