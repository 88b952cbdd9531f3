#pragma once

#include "FileOutcome.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <QByteArrayList>

#include <map>
#include <set>

// Prints the outcomes of a run in the order of its files, whatever order they arrive in: the
// messages on standard error, the JSON lines on standard output, and keeps the corpus-table
// rows. Progress goes to standard error: on a terminal one line that is rewritten in place
// (done/total, screenplays per second, time left); otherwise "[i/N] FILE" before each
// screenplay's messages, as a log wants it.
//
// A line about a settings file (one that names one of `settingsFiles`) is printed once per run:
// every worker reads the settings and says what is wrong with them, but a run says it once,
// whatever the number of workers.
class BatchReport
{
public:
    BatchReport(QStringList files, QByteArrayList settingsFiles, bool terminal);

    // What the run said before its first file (about its settings, most often).
    void addRunMessages(const QByteArray &messages);
    void add(int index, FileOutcome outcome);
    // Ends the progress line; call once every file has its outcome.
    void finish();

    int failures() const { return m_failures; }
    const QString &summaryRows() const { return m_summaryRows; }

private:
    int done() const; // files with an outcome, printed or waiting
    void print(int index, const FileOutcome &outcome);
    // The messages without the lines about settings files already printed.
    QByteArray withoutRepeats(const QByteArray &messages);
    void showProgress(bool force);
    void clearProgress();

    QStringList m_files;
    QByteArrayList m_settingsFiles;
    std::set<QByteArray> m_settingsLines; // lines about a settings file printed so far
    bool m_terminal;
    std::map<int, FileOutcome> m_waiting; // arrived before an earlier file
    int m_printed = 0;                    // files printed so far, in order
    int m_failures = 0;
    QString m_summaryRows;
    QElapsedTimer m_clock;
    qint64 m_lastProgressAt = -1;
    bool m_progressShown = false;
    bool m_oncePrinted = false; // a worker's once-only lines have been printed
};
