#include "parts/StatisticsExport.h"

#include "dialogs/SaveFileName.h"
#include "parts/DocumentController.h"
#include "scenes/SavedMarkup.h"
#include "scenes/Statistics.h"
#include "support/Diagnostics.h"

#include <QWidget>

StatisticsExport::StatisticsExport(const DocumentController &document, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_window(window)
{
}

// Statistics, markup and images need a scene index, which only a parse makes.
bool StatisticsExport::missingIndex(const QString &what, QString *reason)
{
    if (m_document.analysis())
        return false;
    const QString why = tr("no screenplay is open; open one with File > Open File");
    if (reason != nullptr)
        *reason = why;
    emit notDone(what, why);
    return true;
}

bool StatisticsExport::missingStatistics(const QString &what, QString *reason)
{
    if (m_document.analysis())
        return false;
    Diagnostics::print("no statistics written: no screenplay has been parsed yet\n");
    return missingIndex(what, reason);
}

void StatisticsExport::reportOutcome(const QString &what, const QString &path, bool written,
                                     const QString &reason)
{
    if (written) {
        emit this->written(path);
        return;
    }
    Diagnostics::print("file not found\n");
    // An empty name is a cancelled file dialog: there is nothing to say in the window.
    if (!path.isEmpty())
        emit notDone(what, path + QStringLiteral(": ") + reason);
}

QString StatisticsExport::chosenFile(const QString &title, const QString &ending,
                                     const QString &filter, const QString &suffix)
{
    return askSaveFileName(m_window, title, m_document.filePath() + ending, filter, suffix);
}

void StatisticsExport::writeCharacterStats()
{
    if (!missingStatistics(tr("Character statistics")))
        writeCharacterStats(chosenFile(tr("Write Character Stats"),
                                       QStringLiteral("-character.csv"),
                                       tr("CSV (*.csv);;All files (*.*)"), QStringLiteral("csv")));
}

void StatisticsExport::writeSceneStats()
{
    if (!missingStatistics(tr("Scene statistics")))
        writeSceneStats(chosenFile(tr("Write Scene Stats"), QStringLiteral("-scene.csv"),
                                   tr("CSV (*.csv);;All files (*.*)"), QStringLiteral("csv")));
}

bool StatisticsExport::writeCharacterStats(const QString &path, QString *reason)
{
    const QString what = tr("Character statistics");
    if (missingStatistics(what, reason))
        return false;
    QString why;
    const bool written = ::writeCharacterStats(path, *m_document.analysis()->timeIndex, &why);
    reportOutcome(what, path, written, why);
    if (reason != nullptr)
        *reason = why;
    return written;
}

bool StatisticsExport::writeSceneStats(const QString &path, QString *reason)
{
    const QString what = tr("Scene statistics");
    if (missingStatistics(what, reason))
        return false;
    const Analysis &analysis = *m_document.analysis();
    QString why;
    const bool written =
        ::writeSceneStats(path, *analysis.timeIndex, int(analysis.textLines.size()), &why);
    reportOutcome(what, path, written, why);
    if (reason != nullptr)
        *reason = why;
    return written;
}

void StatisticsExport::saveMarkup()
{
    if (missingIndex(tr("Markup")))
        return;
    const QString path =
        chosenFile(tr("Save Markup"), QStringLiteral("-markup.html"),
                   tr("html (*.html);;xml (*.xml);; All files (*.*)"), QStringLiteral("html"));
    const Analysis &analysis = *m_document.analysis();
    QString reason;
    const bool written = ::saveMarkup(path, analysis.timeIndex.get(), analysis.breakStringClass,
                                      analysis.markupHtml, &reason);
    reportOutcome(tr("Markup"), path, written, reason);
}
