#include "app/textVis.h"

#include "scenes/BreakStringFile.h"

#include <QListWidget>
#include <QMessageBox>

bool textVis::loadBreakStringFile(const QString &path)
{
    if (!::loadBreakStringFile(path, document.breakStrings))
        return false;
    refreshBreakStringList();
    return true;
}

bool textVis::saveBreakStringFile(const QString &path)
{
    return ::saveBreakStringFile(path, document.breakStrings);
}

void textVis::refreshBreakStringList()
{
    form.listWidget_BreakString->clear();
    for (const QString &entry : qAsConst(document.breakStrings)) {
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
    document.breakStrings += sampleBreakStrings();
    refreshBreakStringList();
    saveBreakStringFile(path);
}

void textVis::addBreakString() {}
void textVis::removeBreakString() {}
void textVis::saveBreakStringList() {}
void textVis::loadBreakStringList() {}
void textVis::breakstringsmenuTrigger(QAction *) {}
void textVis::customContextMenuTrigger(const QPoint &pos)
{
    contextMenuPos = pos;
}
void textVis::textBreakStringTrigger() {}
void textVis::textBreakHereTrigger() {}
