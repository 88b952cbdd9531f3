#include "app/textVis.h"

#include "reader/Diagnostics.h"
#include "scenes/BreakStringFile.h"
#include "scenes/ManualBreak.h"
#include "view/GraphWidget.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

bool textVis::loadBreakStringFile(const QString &path)
{
    if (!::loadBreakStringFile(path, document.settings().breakStrings))
        return false;
    refreshBreakStringList();
    return true;
}

bool textVis::saveBreakStringFile(const QString &path)
{
    return ::saveBreakStringFile(path, document.settings().breakStrings);
}

void textVis::refreshBreakStringList()
{
    form.listWidget_BreakString->clear();
    for (const QString &entry : qAsConst(document.settings().breakStrings)) {
        auto *item = new QListWidgetItem(entry);
        item->setForeground(QBrush(Qt::black));
        item->setBackground(QBrush(Qt::white));
        form.listWidget_BreakString->addItem(item);
    }
}

void textVis::loadStartupBreakStrings()
{
    const QString path = QStringLiteral("breakStrings.txt");
    if (loadBreakStringFile(path))
        return;
    QMessageBox question;
    question.setText(tr("No breakstring file was found."));
    question.setInformativeText(tr("Would you like create a sample breakstring file?"));
    question.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() != QMessageBox::Ok)
        return;
    document.settings().breakStrings += sampleBreakStrings();
    refreshBreakStringList();
    saveBreakStringFile(path);
}

void textVis::addBreakString()
{
    const QString text = QInputDialog::getText(this, tr("QInputDialog::getText()"),
                                               tr("Break String:"), QLineEdit::Normal, QString());
    if (!text.isEmpty())
        document.settings().breakStrings.append(text);
    refreshBreakStringList();
}

void textVis::removeBreakString()
{
    QStringList selected;
    for (const QListWidgetItem *item : form.listWidget_BreakString->selectedItems())
        selected.append(item->text());
    document.settings().breakStrings =
        withoutBreakStrings(document.settings().breakStrings, selected);
    refreshBreakStringList();
}

void textVis::loadBreakStringList()
{
    loadBreakStringFile(QFileDialog::getOpenFileName(this, tr("Select a breakstring file")));
}

void textVis::saveBreakStringList()
{
    saveBreakStringFile(QFileDialog::getSaveFileName(this, tr("Select a breakstring file")));
}

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

void textVis::textBreakStringTrigger()
{
    Diagnostics::print("add breakstring\n");
    const QString selection = form.webView->selectedText();
    if (!selection.isEmpty()) {
        document.settings().breakStrings.append(selection);
        refreshBreakStringList();
    }
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
