#include "app/textVis.h"

#include "automation/AutomateDialog.h"
#include "view/GraphWidget.h"

#include <QFileDialog>

namespace {

// The first frame that draws the graph writes the image; the further frames move the
// simulated layout on as that many ticks of the redraw timer would.
constexpr int imagePaintCount = 10;

} // namespace

void textVis::showAutomateDialog()
{
    // A pending run would otherwise go on stepping inside the dialogs below, with settings
    // that are reset under it.
    if (automation.isPending())
        reportNotDone(tr("Automate"), tr("the pending run was stopped for the new one"));
    automation.cancel();
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Select screenplays"));

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

void textVis::automateTrigger()
{
    automation.step();
}

QString textVis::screenplayPath() const
{
    return document.filePath();
}

bool textVis::writeThreadImage(const QString &name)
{
    GraphWidget &view = *form.ThreadView;
    view.makeCurrent();
    view.setImageFileName(name);
    for (int i = 0; i < imagePaintCount; ++i)
        view.paintFrame();
    if (view.pendingImageFile.isEmpty())
        return true;
    // Nothing could be drawn (no characters, say). Left pending, the request would be
    // served by a later frame with the picture of the next screenplay.
    view.setImageFileName(QString());
    return false;
}
