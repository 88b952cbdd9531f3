#include "dialogs/AutomateDialog.h"

#include "dialogs/OptionWidgets.h"

#include <QVBoxLayout>

#include <array>

AutomateDialog::AutomateDialog(qint32 &delayMs, bool &writeImages, bool &writeSceneStats,
                               bool &writeCharacterStats)
    : m_delay(QStringLiteral("Delay Until Write (ms)"), &delayMs)
    , m_writeImages(QStringLiteral("Write Images"), &writeImages)
    , m_writeSceneStats(QStringLiteral("Write Scene Stats"), &writeSceneStats)
    , m_writeCharacterStats(QStringLiteral("Write Character Stats"), &writeCharacterStats)
{
    const OptionsDialogFrame frame = setupOptionsDialog(*this);
    const std::array<Option *, 4> rows = {&m_delay, &m_writeImages, &m_writeSceneStats,
                                          &m_writeCharacterStats};
    for (Option *option : rows)
        createWidget(*option, frame.verticalLayoutWidget, frame.verticalLayout);
    retranslateOptionsDialog(*this);
    setWindowTitle(tr("Automate Settings"));
    for (Option *option : rows)
        retranslate(*option);
}

AutomateDialog::~AutomateDialog() = default;

bool AutomateDialog::ask()
{
    if (exec() != QDialog::Accepted)
        return false;
    // configLine is what moves a row's value into its member; the text itself is not wanted,
    // since these settings never go to config.txt.
    for (Option *option : {&m_delay, &m_writeImages, &m_writeSceneStats, &m_writeCharacterStats})
        option->configLine();
    return true;
}
