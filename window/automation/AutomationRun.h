#pragma once

#include "automation/AutomationSummary.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class BatchTarget;

// The batch run of the main window: a chain of single-shot timer steps over the target's
// automateFiles. With n files there are n + 1 steps; the first loads file 1, step k + 1
// writes the results of file k next to it and loads file k + 1, the last only writes.
// The run keeps its one timer, so at most one chain is ever pending and it can be stopped.
class AutomationRun : public QObject
{
    Q_OBJECT
public:
    explicit AutomationRun(BatchTarget &target);

    // Cancels a pending run, then starts one over `files` with the target's current batch
    // settings. An empty list starts nothing.
    void start(const QStringList &files);
    // Stops the run, pending or inside a step: no further step runs and the files not yet
    // written are dropped. Nothing already written is touched.
    void cancel();
    // One step of the chain, run by the timer (and by the window's automateTrigger slot).
    void step();

    // A step has been scheduled and not yet run.
    bool isPending() const { return m_timer.isActive(); }
    // The interval of the pending step in milliseconds (a negative delay is run as 0).
    int pendingDelayMs() const { return m_timer.interval(); }
    // What the run (the last one, once it is over) has written and could not do.
    const AutomationSummary &summary() const { return m_summary; }

signals:
    void stepDone();
    // `done` of the run's `total` screenplays have had their turn (0 as the run starts).
    void progressed(int done, int total);
    // The last step has written its results; no further step is scheduled.
    void finished();
    // A run was cancelled before its end.
    void cancelled();

private:
    void schedule(int delayMs);
    void loadCurrentFile();
    void writeResults();
    // Writes one output with `write`, which says why when it cannot; the summary keeps both.
    template<typename Write> void writeOutput(const QString &name, Write write);

    BatchTarget &m_target;
    QTimer m_timer;
    // Changes whenever a run is cancelled or started, so that a step that learns of it
    // while it is loading does not schedule a step of a run that is over.
    quint64 m_generation = 0;
    bool m_currentFileRead = false;
    QString m_readFailure; // why the current file could not be read
    AutomationSummary m_summary;
};
