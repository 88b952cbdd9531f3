#include "WorkerPool.h"

#include "WorkerChannel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

#include <utility>

WorkerPool::WorkerPool(QStringList workerArguments, int workers, QStringList files,
                       OutcomeReady outcomeReady, LostOutcome lostOutcome)
    : m_arguments(std::move(workerArguments))
    , m_files(std::move(files))
    , m_outcomeReady(std::move(outcomeReady))
    , m_lostOutcome(std::move(lostOutcome))
{
    for (int i = 0; i < workers; ++i)
        m_workers.push_back(std::make_unique<Worker>());
}

WorkerPool::~WorkerPool()
{
    for (const auto &worker : m_workers) {
        if (worker->process == nullptr)
            continue;
        worker->process->disconnect();
        worker->process->closeWriteChannel();
        if (!worker->process->waitForFinished(10000))
            worker->process->kill();
    }
}

void WorkerPool::run()
{
    if (m_files.isEmpty())
        return;
    QEventLoop loop;
    m_loop = &loop;
    for (const auto &worker : m_workers) {
        start(*worker);
        dispatch(*worker);
    }
    if (m_delivered < m_files.size())
        loop.exec();
    m_loop = nullptr;
}

void WorkerPool::start(Worker &worker)
{
    // The old process may be the one whose signal brought us here.
    if (worker.process != nullptr) {
        worker.process->disconnect(this);
        worker.process->deleteLater();
    }
    worker.process = new QProcess(this);
    worker.received.clear();
    worker.busyWith = -1;
    // What a worker prints outside a screenplay's analysis (nothing, normally) still shows.
    worker.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcess *process = worker.process;
    connect(process, &QProcess::readyReadStandardOutput, this,
            [this, &worker] { readReplies(worker); });
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, &worker, process](int code, QProcess::ExitStatus status) {
                if (worker.process != process)
                    return;
                workerEnded(worker, status == QProcess::CrashExit
                                        ? QStringLiteral("the analysis process crashed")
                                        : QStringLiteral("the analysis process ended with "
                                                         "exit status %1")
                                              .arg(code));
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, &worker, process](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart && worker.process == process)
                    workerEnded(worker, QStringLiteral("the analysis process could not start: ") +
                                            process->errorString());
            });
    process->start(QCoreApplication::applicationFilePath(), m_arguments);
}

void WorkerPool::dispatch(Worker &worker)
{
    if (m_next >= m_files.size()) {
        worker.process->closeWriteChannel(); // no more work: the worker ends by itself
        return;
    }
    worker.busyWith = m_next++;
    worker.process->write(
        WorkerChannel::encodeRequest({worker.busyWith, m_files.at(worker.busyWith)}));
}

void WorkerPool::readReplies(Worker &worker)
{
    worker.received += worker.process->readAllStandardOutput();
    while (std::optional<WorkerChannel::Reply> reply = WorkerChannel::takeReply(worker.received)) {
        if (reply->index != worker.busyWith) {
            worker.process->kill(); // out of step: what it says can no longer be trusted
            return;
        }
        worker.busyWith = -1;
        deliver(reply->index, std::move(reply->outcome));
        dispatch(worker);
    }
}

void WorkerPool::workerEnded(Worker &worker, const QString &why)
{
    const int lost = worker.busyWith;
    worker.busyWith = -1;
    if (lost >= 0)
        deliver(lost, m_lostOutcome(m_files.at(lost), why));
    if (m_next < m_files.size()) {
        start(worker);
        dispatch(worker);
    }
}

void WorkerPool::deliver(int index, FileOutcome outcome)
{
    m_outcomeReady(index, std::move(outcome));
    ++m_delivered;
    if (m_delivered == m_files.size() && m_loop != nullptr)
        m_loop->quit();
}
