#include "app/textVis.h"

#include "app/OptionWidgets.h"

#include <QDialog>
#include <QVBoxLayout>

void textVis::showParsingOptions()
{
    QDialog dialog;
    const OptionsDialogFrame frame = setupOptionsDialog(dialog);
    for (const auto &option : options)
        createWidget(*option, frame.verticalLayoutWidget, frame.verticalLayout);
    retranslateOptionsDialog(dialog);
    for (const auto &option : options)
        retranslate(*option);
    // The values reach the members only through writeConfig, so a file that cannot be
    // written leaves them as they were.
    if (dialog.exec() == QDialog::Accepted)
        writeConfig(document.settingsPaths().config, options);
    for (const auto &option : options)
        forgetWidget(*option);
}
