#pragma once

#include "FileOutcome.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QEventLoop;
class QProcess;
class QTimer;

// Analyses the files in worker processes (this program started again with the worker
// arguments), a given number at a time, each worker taking the next file as soon as it is
// done. A worker that dies, or takes longer than the time limit over one file, costs the file it
// had: that file gets a failed outcome saying so, what the worker left half-written is swept up,
// a new worker takes its place, and the run goes on.
class WorkerPool : public QObject
{
public:
    using OutcomeReady = std::function<void(int index, FileOutcome outcome)>;
    // The outcome of a file whose worker was lost, from the file and what happened.
    using LostOutcome = std::function<FileOutcome(const QString &path, const QString &why)>;
    // Removes what a worker (its process id) that ended without finishing the file left of it.
    using SweepUp = std::function<void(const QString &path, qint64 worker)>;

    // The seconds one worker may take over a file; 0 for no limit.
    using TimeLimit = std::function<int(const QString &path)>;

    struct Setup
    {
        QStringList arguments; // those that make the program a worker
        int workers = 1;
        TimeLimit timeLimit;
    };

    WorkerPool(Setup setup, QStringList files, OutcomeReady outcomeReady, LostOutcome lostOutcome,
               SweepUp sweepUp);
    ~WorkerPool() override;

    // Returns once every file has had its outcome handed over, or stop() was called.
    void run();
    // Kills the workers, sweeps up after them and makes run() return; the files not done by
    // then get no outcome.
    void stop();

private:
    struct Worker
    {
        QProcess *process = nullptr;
        qint64 processId = 0;
        QTimer *clock = nullptr; // the time limit of the file it is analysing
        int limitSeconds = 0;
        QByteArray received;
        int busyWith = -1;     // the index of the file it is analysing, or -1
        QString killedBecause; // set when this pool ended the process
    };

    void start(Worker &worker);
    void dispatch(Worker &worker);
    void readReplies(Worker &worker);
    void kill(Worker &worker, const QString &why);
    void workerEnded(Worker &worker, const QString &why, bool neverStarted = false);
    void deliver(int index, FileOutcome outcome);

    Setup m_setup;
    QStringList m_files;
    OutcomeReady m_outcomeReady;
    LostOutcome m_lostOutcome;
    SweepUp m_sweepUp;
    QByteArray m_token; // the greeting that admits the workers
    std::vector<std::unique_ptr<Worker>> m_workers;
    int m_next = 0;      // the next file to hand out
    int m_delivered = 0; // files with an outcome
    bool m_stopped = false;
    QEventLoop *m_loop = nullptr;
};
