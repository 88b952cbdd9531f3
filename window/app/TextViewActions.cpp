#include "app/textVis.h"

#include "app/GraphWidget.h"
#include "scenes/ManualBreak.h"
#include "support/Diagnostics.h"

#include <QMenu>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

// The text view's context menu and its three entries.

void textVis::customContextMenuTrigger(const QPoint &pos)
{
    contextMenuPos = pos;
    auto *menu = new QMenu(this);
    // One menu per request: it goes away once it has closed (after its action has run).
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->addAction(tr("Add Character"), this, &textVis::textAddCharacterTrigger);
    menu->addAction(tr("Add BreakString"), this, &textVis::textBreakStringTrigger);
    menu->addAction(tr("Break Section Here"), this, &textVis::textBreakHereTrigger);
    menu->popup(form.webView->mapToGlobal(pos));
}

void textVis::textAddCharacterTrigger()
{
    Diagnostics::print("add character\n");
    characterEditor->addCharacter(form.webView->selectedText());
    form.ThreadView->upToDate = false;
}

void textVis::textBreakStringTrigger()
{
    Diagnostics::print("add breakstring\n");
    breakStringPanel->addText(form.webView->selectedText());
    form.ThreadView->upToDate = false;
}

void textVis::textBreakHereTrigger()
{
    const QWebPage *page = form.webView->page();
    const QWebFrame *mainFrame = page->mainFrame();
    const float position =
        manualBreakPosition(mainFrame->scrollBarValue(Qt::Vertical), contextMenuPos.y(),
                            page->currentFrame()->contentsSize().height());
    document.settings().manualBreaks.append(position);
    form.ThreadView->upToDate = false;
}
