#pragma once

#include "FileOutcome.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <map>

// Prints the outcomes of a run in the order of its files, whatever order they arrive in: the
// messages on standard error, the JSON lines on standard output, and keeps the corpus-table
// rows. Progress goes to standard error: on a terminal one line that is rewritten in place
// (done/total, screenplays per second, time left); otherwise "[i/N] FILE" before each
// screenplay's messages, as a log wants it.
class BatchReport
{
public:
    BatchReport(QStringList files, bool terminal);

    void add(int index, FileOutcome outcome);
    // Ends the progress line; call once every file has its outcome.
    void finish();

    int failures() const { return m_failures; }
    const QString &summaryRows() const { return m_summaryRows; }

private:
    int done() const; // files with an outcome, printed or waiting
    void print(int index, const FileOutcome &outcome);
    void showProgress(bool force);
    void clearProgress();

    QStringList m_files;
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
