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

// Analyses the files in worker processes (this program started again with the worker
// arguments), a given number at a time, each worker taking the next file as soon as it is
// done. A worker that dies costs the file it had: that file gets a failed outcome saying so, a
// new worker takes its place, and the run goes on.
class WorkerPool : public QObject
{
public:
    using OutcomeReady = std::function<void(int index, FileOutcome outcome)>;
    // The outcome of a file whose worker died, from the file and what happened.
    using LostOutcome = std::function<FileOutcome(const QString &path, const QString &why)>;

    WorkerPool(QStringList workerArguments, int workers, QStringList files,
               OutcomeReady outcomeReady, LostOutcome lostOutcome);
    ~WorkerPool() override;

    // Returns once every file has had its outcome handed over.
    void run();

private:
    struct Worker
    {
        QProcess *process = nullptr;
        QByteArray received;
        int busyWith = -1; // the index of the file it is analysing, or -1
    };

    void start(Worker &worker);
    void dispatch(Worker &worker);
    void readReplies(Worker &worker);
    void workerEnded(Worker &worker, const QString &why);
    void deliver(int index, FileOutcome outcome);

    QStringList m_arguments;
    QStringList m_files;
    OutcomeReady m_outcomeReady;
    LostOutcome m_lostOutcome;
    std::vector<std::unique_ptr<Worker>> m_workers;
    int m_next = 0;      // the next file to hand out
    int m_delivered = 0; // files with an outcome
    QEventLoop *m_loop = nullptr;
};
