#include "parts/StatisticsExport.h"

#include "parts/DocumentController.h"
#include "scenes/SavedMarkup.h"
#include "scenes/Statistics.h"
#include "support/Diagnostics.h"

#include <QDir>
#include <QFileDialog>

StatisticsExport::StatisticsExport(const DocumentController &document, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_window(window)
{
}

// Statistics, markup and images need a scene index, which only a parse makes.
bool StatisticsExport::missingIndex(const QString &what)
{
    if (m_document.analysis())
        return false;
    emit notDone(what, tr("no screenplay has been parsed yet; open one first"));
    return true;
}

bool StatisticsExport::missingStatistics(const QString &what)
{
    if (m_document.analysis())
        return false;
    Diagnostics::print("no statistics written: no screenplay has been parsed yet\n");
    return missingIndex(what);
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

QString StatisticsExport::chosenCsvFile()
{
    return QFileDialog::getSaveFileName(m_window, tr("Write Stats"), QDir::currentPath(),
                                        tr("CSV (*.csv);;All files (*.*)"));
}

void StatisticsExport::writeCharacterStats()
{
    if (!missingStatistics(tr("Character statistics")))
        writeCharacterStats(chosenCsvFile());
}

void StatisticsExport::writeSceneStats()
{
    if (!missingStatistics(tr("Scene statistics")))
        writeSceneStats(chosenCsvFile());
}

void StatisticsExport::writeCharacterStats(const QString &path)
{
    const QString what = tr("Character statistics");
    if (missingStatistics(what))
        return;
    QString reason;
    const bool written = ::writeCharacterStats(path, *m_document.analysis()->timeIndex, &reason);
    reportOutcome(what, path, written, reason);
}

void StatisticsExport::writeSceneStats(const QString &path)
{
    const QString what = tr("Scene statistics");
    if (missingStatistics(what))
        return;
    const Analysis &analysis = *m_document.analysis();
    QString reason;
    const bool written =
        ::writeSceneStats(path, *analysis.timeIndex, int(analysis.textLines.size()), &reason);
    reportOutcome(what, path, written, reason);
}

void StatisticsExport::saveMarkup()
{
    if (missingIndex(tr("Markup")))
        return;
    const QString path =
        QFileDialog::getSaveFileName(m_window, tr("Save Markup"), QDir::currentPath(),
                                     tr("html (*.html);;xml (*.xml);; All files (*.*)"));
    const Analysis &analysis = *m_document.analysis();
    QString reason;
    const bool written = ::saveMarkup(path, analysis.timeIndex.get(), analysis.breakStringClass,
                                      analysis.markupHtml, &reason);
    reportOutcome(tr("Markup"), path, written, reason);
}
