#include "app/textVis.h"

#include "reader/Diagnostics.h"
#include "scenes/Statistics.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QStatusBar>

namespace {

const QString noParseYet = QStringLiteral("no screenplay has been parsed yet; open one first");

} // namespace

// Statistics, markup and images need a scene index, which only a parse makes.
bool textVis::reportMissingIndex(const QString &what)
{
    if (document.analysis())
        return false;
    reportNotDone(what, noParseYet);
    return true;
}

bool textVis::reportMissingStatistics(const QString &what)
{
    if (document.analysis())
        return false;
    Diagnostics::print("no statistics written: no screenplay has been parsed yet\n");
    return reportMissingIndex(what);
}

void textVis::reportWriteOutcome(const QString &what, const QString &path, bool written,
                                 const QString &reason)
{
    if (written) {
        reportWritten(path);
        return;
    }
    Diagnostics::print("file not found\n");
    // An empty name is a cancelled file dialog: there is nothing to say in the window.
    if (!path.isEmpty())
        reportNotDone(what, path + QStringLiteral(": ") + reason);
}

void textVis::writeCharacterStats()
{
    if (reportMissingStatistics(tr("Character statistics")))
        return;
    writeCharacterStats(QFileDialog::getSaveFileName(this, tr("Write Stats"), QDir::currentPath(),
                                                     tr("CSV (*.csv);;All files (*.*)")));
}

void textVis::writeCharacterStats(const QString &fname)
{
    if (reportMissingStatistics(tr("Character statistics")))
        return;
    QString reason;
    const bool written = ::writeCharacterStats(fname, *document.analysis()->timeIndex, &reason);
    reportWriteOutcome(tr("Character statistics"), fname, written, reason);
}

void textVis::writeSceneStats()
{
    if (reportMissingStatistics(tr("Scene statistics")))
        return;
    writeSceneStats(QFileDialog::getSaveFileName(this, tr("Write Stats"), QDir::currentPath(),
                                                 tr("CSV (*.csv);;All files (*.*)")));
}

void textVis::writeSceneStats(const QString &fname)
{
    if (reportMissingStatistics(tr("Scene statistics")))
        return;
    QString reason;
    const bool written = ::writeSceneStats(fname, *document.analysis()->timeIndex,
                                           int(document.analysis()->textLines.size()), &reason);
    reportWriteOutcome(tr("Scene statistics"), fname, written, reason);
}

void textVis::reportWritten(const QString &path)
{
    form.statusBar->showMessage(tr("Wrote %1").arg(path));
}

void textVis::reportNotDone(const QString &what, const QString &reason)
{
    form.statusBar->showMessage(tr("%1 not written: %2").arg(what, reason));
}
