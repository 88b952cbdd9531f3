#include "parts/BreakStringPanel.h"

#include "scenes/BreakStringFile.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>

#include <utility>

BreakStringPanel::BreakStringPanel(QStringList &breakStrings, QString defaultFile,
                                   QListWidget &list, QWidget *window)
    : QObject(window)
    , m_breakStrings(breakStrings)
    , m_defaultFile(std::move(defaultFile))
    , m_list(list)
    , m_window(window)
{
}

bool BreakStringPanel::loadFile(const QString &path)
{
    if (!loadBreakStringFile(path, m_breakStrings))
        return false;
    refresh();
    return true;
}

bool BreakStringPanel::saveFile(const QString &path) const
{
    return saveBreakStringFile(path, m_breakStrings);
}

void BreakStringPanel::refresh()
{
    m_list.clear();
    for (const QString &entry : qAsConst(m_breakStrings)) {
        auto *item = new QListWidgetItem(entry);
        item->setForeground(QBrush(Qt::black));
        item->setBackground(QBrush(Qt::white));
        m_list.addItem(item);
    }
}

void BreakStringPanel::loadStartupFile()
{
    if (loadFile(m_defaultFile))
        return;
    QMessageBox question;
    question.setText(tr("No breakstring file was found."));
    question.setInformativeText(tr("Would you like create a sample breakstring file?"));
    question.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() != QMessageBox::Ok)
        return;
    m_breakStrings += sampleBreakStrings();
    refresh();
    saveFile(m_defaultFile);
}

void BreakStringPanel::addText(const QString &text)
{
    if (text.isEmpty())
        return;
    m_breakStrings.append(text);
    refresh();
}

void BreakStringPanel::add()
{
    const QString text = QInputDialog::getText(m_window, tr("QInputDialog::getText()"),
                                               tr("Break String:"), QLineEdit::Normal, QString());
    if (!text.isEmpty())
        m_breakStrings.append(text);
    refresh();
}

void BreakStringPanel::removeSelected()
{
    QStringList selected;
    for (const QListWidgetItem *item : m_list.selectedItems())
        selected.append(item->text());
    m_breakStrings = withoutBreakStrings(m_breakStrings, selected);
    refresh();
}

void BreakStringPanel::loadChosenFile()
{
    loadFile(QFileDialog::getOpenFileName(m_window, tr("Select a breakstring file")));
}

void BreakStringPanel::saveToChosenFile()
{
    saveFile(QFileDialog::getSaveFileName(m_window, tr("Select a breakstring file")));
}

void BreakStringPanel::saveToDefaultFile()
{
    saveFile(m_defaultFile);
}
