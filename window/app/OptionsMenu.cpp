#include "app/textVis.h"

#include "dialogs/OptionWidgets.h"
#include "ui_textVis.h"
#include "views/GraphWidget.h"

#include <QDialog>
#include <QMessageBox>
#include <QVBoxLayout>

void textVis::showParsingOptions()
{
    QDialog dialog;
    const OptionsDialogFrame frame = setupOptionsDialog(dialog);
    for (const auto &option : m_options)
        createWidget(*option, frame.verticalLayoutWidget, frame.verticalLayout);
    retranslateOptionsDialog(dialog);
    dialog.setWindowTitle(tr("Parsing Options"));
    for (const auto &option : m_options)
        retranslate(*option);
    // The values reach the members only through writeConfig, so a file that cannot be
    // written leaves them as they were.
    const bool saved = dialog.exec() == QDialog::Accepted &&
                       writeConfig(m_document.settingsPaths().config, m_options);
    for (const auto &option : m_options)
        forgetWidget(*option);
    if (saved)
        offerReparse(tr("Parsing Options"), tr("The options were saved."));
}

// The options and lists a parse reads take effect at the next parse; with a screenplay open
// the user may have it now, or later from the thread view's prompt.
void textVis::offerReparse(const QString &title, const QString &done)
{
    if (!m_document.analysis())
        return;
    const auto answer = QMessageBox::question(
        this, title, done + QLatin1Char(' ') + tr("Parse the screenplay again to apply them?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        parseText();
    else
        m_form->ThreadView->upToDate = false;
}
