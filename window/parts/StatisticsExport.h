#pragma once

#include <QObject>
#include <QString>

class DocumentController;
class QWidget;

// Writes the statistics and the saved markup of the document's last parse, and says what
// became of each request: `written`, or `notDone` with a reason a user can act on.
class StatisticsExport : public QObject
{
    Q_OBJECT
public:
    StatisticsExport(const DocumentController &document, QWidget *window);

    // Says so and returns true when there is no scene index yet.
    bool missingIndex(const QString &what);
    // Reports a write: `written`, or (unless the name is empty: a cancelled dialog) why not.
    void reportOutcome(const QString &what, const QString &path, bool written,
                       const QString &reason);

public slots:
    // Ask for a file, then write to it.
    void writeCharacterStats();
    void writeSceneStats();
    void saveMarkup();
    void writeCharacterStats(const QString &path);
    void writeSceneStats(const QString &path);

signals:
    void written(const QString &path);
    void notDone(const QString &what, const QString &reason);

private:
    // The same as missingIndex, with the statistics' own diagnostic line.
    bool missingStatistics(const QString &what);
    QString chosenCsvFile();

    const DocumentController &m_document;
    QWidget *m_window;
};
