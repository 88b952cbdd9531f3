#include "app/textVis.h"

#include "parts/BreakStringPanel.h"
#include "parts/CharacterEditor.h"
#include "scenes/ManualBreak.h"
#include "support/Diagnostics.h"
#include "ui_textVis.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"

#include <QMenu>

// The text view's context menu and its three entries.

void textVis::customContextMenuTrigger(const QPoint &pos)
{
    m_contextMenuPos = pos;
    auto *menu = new QMenu(this);
    // One menu per request: it goes away once it has closed (after its action has run).
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->addAction(tr("Add Character"), this, &textVis::textAddCharacterTrigger);
    menu->addAction(tr("Add BreakString"), this, &textVis::textBreakStringTrigger);
    menu->addAction(tr("Break Section Here"), this, &textVis::textBreakHereTrigger);
    menu->popup(m_form->webView->viewport()->mapToGlobal(pos));
}

void textVis::textAddCharacterTrigger()
{
    Diagnostics::print("add character\n");
    m_characterEditor->addCharacter(m_form->webView->selectedPlainText());
    m_form->ThreadView->upToDate = false;
}

void textVis::textBreakStringTrigger()
{
    Diagnostics::print("add breakstring\n");
    m_breakStringPanel->addText(m_form->webView->selectedPlainText());
    m_form->ThreadView->upToDate = false;
}

// The break goes before the line clicked. Without a parse there are no lines to count, and
// the place in the page stands in for one.
void textVis::textBreakHereTrigger()
{
    const MarkupView *text = m_form->webView;
    const int line = text->lineAt(m_contextMenuPos);
    const float position =
        line >= 0 && m_document.analysis()
            ? manualBreakAtLine(line, int(m_document.analysis()->textLines.size()))
            : manualBreakPosition(text->scrollValue(), m_contextMenuPos.y(),
                                  text->contentsHeight());
    m_document.settings().manualBreaks.append(position);
    m_form->ThreadView->upToDate = false;
}
