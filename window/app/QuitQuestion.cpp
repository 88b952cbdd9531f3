#include "app/textVis.h"

#include "parts/BreakStringPanel.h"
#include "parts/CharacterEditor.h"
#include "support/Diagnostics.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>

void textVis::quit()
{
    Diagnostics::print("got here!\n");
    if (!mayQuit())
        return;
    // At once, with status 2: the event loop is not left and the window not destroyed.
    std::exit(2);
}

void textVis::closeEvent(QCloseEvent *event)
{
    if (mayQuit())
        event->accept();
    else
        event->ignore();
}

// Break strings and characters added since the files were saved would be gone at the next
// start; the user saves them, lets them go, or stays.
bool textVis::mayQuit()
{
    const bool breakStrings = m_breakStringPanel->unsaved();
    const CharacterList characters = m_characterEditor->unsavedCharacters();
    if (!breakStrings && characters.empty())
        return true;
    const SettingsPaths &paths = m_document.settingsPaths();
    QStringList lost;
    if (breakStrings)
        lost << tr("The break strings differ from %1.")
                    .arg(QFileInfo(paths.breakStrings).fileName());
    if (!characters.empty()) {
        QStringList names;
        for (const CharacterPtr &character : characters)
            names << character->names.join(QLatin1Char(' '));
        lost << tr("Characters added from the text are not in %1: %2.")
                    .arg(QFileInfo(paths.characters).fileName(), names.join(QStringLiteral(", ")));
    }
    QMessageBox box(QMessageBox::Question, tr("Quit"), tr("Save your changes before quitting?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(lost.join(QLatin1Char('\n')));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveBeforeQuitting();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

// Stays open when a file cannot be written, so that nothing is lost.
bool textVis::saveBeforeQuitting()
{
    const SettingsPaths &paths = m_document.settingsPaths();
    QString reason;
    if (m_breakStringPanel->unsaved() &&
        !m_breakStringPanel->saveFile(paths.breakStrings, &reason)) {
        QMessageBox::warning(this, tr("Quit"),
                             tr("%1 could not be written: %2").arg(paths.breakStrings, reason));
        return false;
    }
    if (!m_characterEditor->unsavedCharacters().empty() &&
        !m_characterEditor->saveAddedCharacters(&reason)) {
        QMessageBox::warning(this, tr("Quit"),
                             tr("%1 could not be written: %2").arg(paths.characters, reason));
        return false;
    }
    return true;
}
