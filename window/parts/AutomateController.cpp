#include "parts/AutomateController.h"

#include "dialogs/AutomateDialog.h"
#include "parts/DocumentController.h"
#include "parts/StatisticsExport.h"
#include "views/GraphWidget.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>

namespace {

// The summary names at most this many failures; the details hold them all.
constexpr int failuresShown = 10;

} // namespace

AutomateController::AutomateController(DocumentController &document, StatisticsExport &statistics,
                                       GraphWidget &view, QStatusBar &statusBar, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_statistics(statistics)
    , m_view(view)
    , m_statusBar(statusBar)
    , m_progressBar(new QProgressBar(&statusBar))
    , m_window(window)
{
    m_progressBar->setFormat(tr("Automate: %v of %m"));
    m_progressBar->hide();
    m_statusBar.addPermanentWidget(m_progressBar);
    connect(&automation, &AutomationRun::progressed, this, &AutomateController::showProgress);
    connect(&automation, &AutomationRun::finished, this, &AutomateController::showSummary);
    connect(&automation, &AutomationRun::cancelled, m_progressBar, &QWidget::hide);
}

void AutomateController::showDialog()
{
    // A pending run would otherwise go on stepping inside the dialogs below, with settings
    // that are reset under it.
    if (automation.isPending())
        emit notDone(tr("Automate"), tr("the pending run was stopped for the new one"));
    automation.cancel();
    const QStringList files = QFileDialog::getOpenFileNames(m_window, tr("Select screenplays"));

    // Settings are not remembered between runs.
    automateDelayMs = 5000;
    automateWriteImages = true;
    automateWriteSceneStats = false;
    automateWriteCharacterStats = false;
    // Either answer starts the run; cancelling keeps the defaults.
    AutomateDialog dialog(automateDelayMs, automateWriteImages, automateWriteSceneStats,
                          automateWriteCharacterStats);
    dialog.ask();

    automation.start(files);
}

bool AutomateController::loadScreenplay(const QString &path, QString *reason)
{
    const GraphWidget::FrameHold hold(m_view);
    return m_document.loadScreenplay(path, reason);
}

bool AutomateController::writeThreadImage(const QString &name, QString *reason)
{
    QString why = tr("no thread view to draw");
    bool written = false;
    const QMetaObject::Connection answer =
        connect(&m_view, &GraphWidget::imageWritten, this,
                [&written, &why](const QString &, bool wasWritten, const QString &imageReason) {
                    written = wasWritten;
                    why = imageReason;
                });
    m_view.makeCurrent();
    // The picture of the settled layout, the same however fast the display draws.
    m_view.settleLayout();
    m_view.setImageFileName(name);
    m_view.paintFrame();
    disconnect(answer);
    // Nothing could be drawn (no characters, say). Left pending, the request would be
    // served by a later frame with the picture of the next screenplay.
    if (!m_view.pendingImageFile.isEmpty())
        m_view.setImageFileName(QString());
    if (!written && reason != nullptr)
        *reason = why;
    return written;
}

bool AutomateController::writeSceneStats(const QString &name, QString *reason)
{
    return m_statistics.writeSceneStats(name, reason);
}

bool AutomateController::writeCharacterStats(const QString &name, QString *reason)
{
    return m_statistics.writeCharacterStats(name, reason);
}

void AutomateController::showProgress(int done, int total)
{
    m_progressBar->setRange(0, total);
    m_progressBar->setValue(done);
    m_progressBar->show();
}

// Told without waiting for an answer: the run is over, and the window stays usable.
void AutomateController::showSummary()
{
    m_progressBar->hide();
    const AutomationSummary &summary = automation.summary();
    m_statusBar.showMessage(tr("Automate: %1").arg(summary.outcome()));
    auto *box = new QMessageBox(
        summary.failures.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
        tr("Automate"), tr("Automate has finished: %1.").arg(summary.outcome()), QMessageBox::Ok,
        m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (!summary.failures.isEmpty()) {
        QStringList shown = summary.failures.mid(0, failuresShown);
        if (summary.failures.size() > failuresShown)
            shown << tr("and %1 more").arg(summary.failures.size() - failuresShown);
        box->setInformativeText(tr("Not done:") + QLatin1Char('\n') +
                                shown.join(QLatin1Char('\n')));
    }
    QStringList details;
    if (!summary.written.isEmpty())
        details << tr("Written:") << summary.written;
    if (!summary.failures.isEmpty())
        details << tr("Not done:") << summary.failures;
    box->setDetailedText(details.join(QLatin1Char('\n')));
    box->open();
}
