#include "app/textVis.h"

#include "dialogs/OptionWidgets.h"

#include <QDialog>
#include <QVBoxLayout>

void textVis::showParsingOptions()
{
    QDialog dialog;
    const OptionsDialogFrame frame = setupOptionsDialog(dialog);
    for (const auto &option : m_options)
        createWidget(*option, frame.verticalLayoutWidget, frame.verticalLayout);
    retranslateOptionsDialog(dialog);
    for (const auto &option : m_options)
        retranslate(*option);
    // The values reach the members only through writeConfig, so a file that cannot be
    // written leaves them as they were.
    if (dialog.exec() == QDialog::Accepted)
        writeConfig(m_document.settingsPaths().config, m_options);
    for (const auto &option : m_options)
        forgetWidget(*option);
}
