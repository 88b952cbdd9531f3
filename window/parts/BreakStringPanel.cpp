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
    emit changed();
    return true;
}

bool BreakStringPanel::unsaved() const
{
    QStringList saved;
    loadBreakStringFile(m_defaultFile, saved);
    return saved != m_breakStrings;
}

bool BreakStringPanel::saveFile(const QString &path, QString *reason) const
{
    return saveBreakStringFile(path, m_breakStrings, reason);
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
    emit changed();
}

// An entry of several words matches them one after the other in the text.
void BreakStringPanel::add()
{
    addText(QInputDialog::getText(m_window, tr("Add Break String"),
                                  tr("Break String (one or more words):"), QLineEdit::Normal,
                                  QString()));
}

void BreakStringPanel::removeSelected()
{
    QStringList selected;
    for (const QListWidgetItem *item : m_list.selectedItems())
        selected.append(item->text());
    if (selected.isEmpty())
        return;
    m_breakStrings = withoutBreakStrings(m_breakStrings, selected);
    refresh();
    emit changed();
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
