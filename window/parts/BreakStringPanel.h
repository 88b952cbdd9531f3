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
    // `defaultFile` is the break-string file of the working settings.
    BreakStringPanel(QStringList &breakStrings, QString defaultFile, QListWidget &list,
                     QWidget *window);

    // False (and the list unchanged) when the file cannot be read.
    bool loadFile(const QString &path);
    // False (and why, when asked) when the file cannot be written.
    bool saveFile(const QString &path, QString *reason = nullptr) const;
    // At start-up: the default file, or the sample list when the user wants one.
    void loadStartupFile();
    void refresh();
    // The text selected in the text view becomes a break string.
    void addText(const QString &text);
    // Whether the list differs from what breakStrings.txt holds, which the next start reads:
    // quitting would lose the difference.
    bool unsaved() const;

public slots:
    void add();
    void removeSelected();
    void loadChosenFile();
    void saveToChosenFile();
    void saveToDefaultFile();

signals:
    // The list changed: the next parse divides the scenes by the new list.
    void changed();

private:
    QStringList &m_breakStrings;
    const QString m_defaultFile;
    QListWidget &m_list;
    QWidget *m_window;
};
