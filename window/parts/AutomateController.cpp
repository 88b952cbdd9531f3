#include "parts/AutomateController.h"

#include "parts/DocumentController.h"
#include "views/GraphWidget.h"
#include "parts/StatisticsExport.h"
#include "dialogs/AutomateDialog.h"

#include <QFileDialog>

AutomateController::AutomateController(DocumentController &document, StatisticsExport &statistics,
                                       GraphWidget &view, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_statistics(statistics)
    , m_view(view)
    , m_window(window)
{
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

bool AutomateController::loadScreenplay(const QString &path)
{
    const GraphWidget::FrameHold hold(m_view);
    return m_document.loadScreenplay(path);
}

QString AutomateController::screenplayPath() const
{
    return m_document.filePath();
}

bool AutomateController::writeThreadImage(const QString &name)
{
    m_view.makeCurrent();
    // The picture of the settled layout, the same however fast the display draws.
    m_view.settleLayout();
    m_view.setImageFileName(name);
    m_view.paintFrame();
    if (m_view.pendingImageFile.isEmpty())
        return true;
    // Nothing could be drawn (no characters, say). Left pending, the request would be
    // served by a later frame with the picture of the next screenplay.
    m_view.setImageFileName(QString());
    return false;
}

void AutomateController::writeSceneStats(const QString &name)
{
    m_statistics.writeSceneStats(name);
}

void AutomateController::writeCharacterStats(const QString &name)
{
    m_statistics.writeCharacterStats(name);
}
