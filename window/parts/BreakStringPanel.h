#pragma once

#include <QObject>
#include <QStringList>

class QListWidget;
class QWidget;

// The "BreakStrings" tab: shows the break strings, edits them and moves them to and from
// files. The list itself is the document's (its settings), which the next parse reads.
class BreakStringPanel : public QObject
{
    Q_OBJECT
public:
    BreakStringPanel(QStringList &breakStrings, QListWidget &list, QWidget *window);

    // False (and the list unchanged) when the file cannot be read.
    bool loadFile(const QString &path);
    bool saveFile(const QString &path) const;
    // At start-up: "breakStrings.txt", or the sample list when the user wants one.
    void loadStartupFile();
    void refresh();
    // The text selected in the text view becomes a break string.
    void addText(const QString &text);

public slots:
    void add();
    void removeSelected();
    void loadChosenFile();
    void saveToChosenFile();
    void saveToDefaultFile();

private:
    QStringList &m_breakStrings;
    QListWidget &m_list;
    QWidget *m_window;
};
