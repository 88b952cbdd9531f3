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
    bool missingIndex(const QString &what, QString *reason = nullptr);
    // Reports a write: `written`, or (unless the name is empty: a cancelled dialog) why not.
    void reportOutcome(const QString &what, const QString &path, bool written,
                       const QString &reason);

public slots:
    // Ask for a file, then write to it.
    void writeCharacterStats();
    void writeSceneStats();
    void saveMarkup();
    // Write to `path` and say so; false (and why, when asked) when nothing was written.
    bool writeCharacterStats(const QString &path, QString *reason = nullptr);
    bool writeSceneStats(const QString &path, QString *reason = nullptr);

signals:
    void written(const QString &path);
    void notDone(const QString &what, const QString &reason);

private:
    // The same as missingIndex, with the statistics' own diagnostic line.
    bool missingStatistics(const QString &what, QString *reason = nullptr);
    // The file to write, asked with `title`; the screenplay's path followed by `ending` is
    // suggested, as the batch run names its outputs.
    QString chosenFile(const QString &title, const QString &ending, const QString &filter,
                       const QString &suffix);

    const DocumentController &m_document;
    QWidget *m_window;
};
