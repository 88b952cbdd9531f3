#include "app/textVis.h"

#include "document/Analysis.h"
#include "parts/CharacterPanel.h"
#include "parts/DialogProgress.h"
#include "scenes/TimeIndexVector.h"
#include "ui_textVis.h"
#include "views/MarkupView.h"

#include <QStatusBar>

void textVis::applyMarkupStyles()
{
    MarkupView *view = m_form->webView;
    // Before the first parse (reached from the Include Characters list) there is nothing
    // to colour and no stage to report to.
    if (!m_document.analysis()) {
        view->clearMarkup();
        return;
    }
    DialogProgress &progress = m_document.progress();
    const int pieces = view->startMarkup(m_document.analysis());
    progress.begin(tr("Laying out text"), pieces);
    // The first piece is always shown; stopped later, the view keeps what it has.
    for (int i = 0; i < pieces; ++i) {
        progress.setValue(i);
        if (i > 0 && progress.wasCanceled()) {
            m_form->statusBar->showMessage(
                tr("Text view stopped: %1 of %2 parts of the text shown").arg(i).arg(pieces));
            break;
        }
        view->appendPiece(i);
    }
    progress.setValue(pieces);
    progress.finish();
}

// The colour is taken from the characters: the thread view and the character panel have
// stored it in the selected ones before this runs.
void textVis::currentColorChanged(const QColor &)
{
    if (!m_document.analysis())
        return;
    for (const CharacterPtr &character : m_characterPanel->selectedCharacters())
        m_form->webView->recolorCharacter(*character);
}

void textVis::recolorText()
{
    if (!m_document.analysis())
        return;
    for (const CharacterPtr &character : m_document.analysis()->timeIndex->characters)
        m_form->webView->recolorCharacter(*character);
}
