#include "app/textVis.h"

#include "automation/AutomateDialog.h"

#include <QFileDialog>

void textVis::showAutomateDialog()
{
    // A pending run would otherwise go on stepping inside the dialogs below, with settings
    // that are reset under it.
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
