#include "FuzzInput.h"

#include "characters/CharacterDiscovery.h"
#include "document/AnalysisSession.h"
#include "reader/ScreenplayText.h"
#include "scenes/BreakStringFile.h"
#include "support/StageProgress.h"

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

std::shared_ptr<const Analysis> analyseText(Screenplay screenplay, const AnalysisSettings &settings)
{
    AnalysisSession session = AnalysisSession::inMemory(settings);
    screenplay.characters = session.discover(screenplay, StageProgress()).characters;
    return session.parse(screenplay, StageProgress());
}

void checkAndAnalyse(const ScreenplayText &text)
{
    if (text.ok() == text.lines.isEmpty())
        std::abort();
    AnalysisSettings settings;
    settings.breakStrings = sampleBreakStrings();
    Screenplay screenplay;
    screenplay.textLines = text.lines;
    analyseText(screenplay, settings);
}
