#include "WorkerPool.h"

#include "WorkerChannel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <utility>

namespace {

QString endOf(QProcess::ExitStatus status, int code)
{
    // After a crash Qt gives the number of the signal that ended the process as its code.
    if (status == QProcess::CrashExit)
        return QStringLiteral("the analysis process was ended by signal %1 (%2)")
            .arg(code)
            .arg(QString::fromLocal8Bit(strsignal(code)));
    return QStringLiteral("the analysis process ended with exit status %1").arg(code);
}

} // namespace

WorkerPool::WorkerPool(Setup setup, QStringList files, OutcomeReady outcomeReady,
                       LostOutcome lostOutcome, SweepUp sweepUp)
    : m_setup(std::move(setup))
    , m_files(std::move(files))
    , m_outcomeReady(std::move(outcomeReady))
    , m_lostOutcome(std::move(lostOutcome))
    , m_sweepUp(std::move(sweepUp))
    , m_token(WorkerChannel::newToken())
{
    for (int i = 0; i < m_setup.workers; ++i)
        m_workers.push_back(std::make_unique<Worker>());
}

WorkerPool::~WorkerPool()
{
    for (const auto &worker : m_workers) {
        if (worker->process == nullptr || worker->process->state() == QProcess::NotRunning)
            continue;
        worker->process->disconnect();
        worker->process->closeWriteChannel();
        if (!worker->process->waitForFinished(10000))
            worker->process->kill();
    }
}

void WorkerPool::run()
{
    if (m_files.isEmpty() || m_stopped)
        return;
    QEventLoop loop;
    m_loop = &loop;
    for (const auto &worker : m_workers) {
        start(*worker);
        dispatch(*worker);
    }
    if (m_delivered < m_files.size() && !m_stopped)
        loop.exec();
    m_loop = nullptr;
}

void WorkerPool::stop()
{
    m_stopped = true;
    for (const auto &worker : m_workers) {
        if (worker->process == nullptr)
            continue;
        worker->process->disconnect(this);
        worker->clock->stop();
        worker->process->kill();
        worker->process->waitForFinished(5000);
        if (worker->busyWith >= 0)
            m_sweepUp(m_files.at(worker->busyWith), worker->processId);
        worker->busyWith = -1;
    }
    if (m_loop != nullptr)
        m_loop->quit();
}

void WorkerPool::start(Worker &worker)
{
    // The old process may be the one whose signal brought us here.
    if (worker.process != nullptr) {
        worker.process->disconnect(this);
        worker.process->deleteLater();
    }
    if (worker.clock == nullptr) {
        worker.clock = new QTimer(this);
        worker.clock->setSingleShot(true);
        connect(worker.clock, &QTimer::timeout, this, [this, &worker] {
            kill(worker, QStringLiteral("it took longer than the time limit of %1 s "
                                        "(--time-limit)")
                             .arg(worker.limitSeconds));
        });
    }
    worker.process = new QProcess(this);
    worker.received.clear();
    worker.busyWith = -1;
    worker.killedBecause.clear();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(WorkerChannel::tokenVariable),
                       QString::fromLatin1(m_token));
    worker.process->setProcessEnvironment(environment);
    // What a worker prints outside a screenplay's analysis (nothing, normally) still shows.
    worker.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcess *process = worker.process;
    connect(process, &QProcess::readyReadStandardOutput, this,
            [this, &worker] { readReplies(worker); });
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, &worker, process](int code, QProcess::ExitStatus status) {
                if (worker.process == process)
                    workerEnded(worker, worker.killedBecause.isEmpty() ? endOf(status, code)
                                                                       : worker.killedBecause);
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, &worker, process](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart && worker.process == process)
                    workerEnded(worker,
                                QStringLiteral("the analysis process could not start: ") +
                                    process->errorString(),
                                true);
            });
    process->start(QCoreApplication::applicationFilePath(), m_setup.arguments);
    worker.processId = process->processId();
    process->write(WorkerChannel::encodeGreeting(m_token));
}

void WorkerPool::dispatch(Worker &worker)
{
    if (m_stopped)
        return;
    if (m_next >= m_files.size()) {
        worker.process->closeWriteChannel(); // no more work: the worker ends by itself
        return;
    }
    worker.busyWith = m_next++;
    worker.process->write(
        WorkerChannel::encodeRequest({worker.busyWith, m_files.at(worker.busyWith)}));
    worker.limitSeconds = m_setup.timeLimit(m_files.at(worker.busyWith));
    if (worker.limitSeconds > 0)
        worker.clock->start(std::chrono::seconds(worker.limitSeconds));
}

void WorkerPool::readReplies(Worker &worker)
{
    worker.received += worker.process->readAllStandardOutput();
    while (std::optional<WorkerChannel::Reply> reply = WorkerChannel::takeReply(worker.received)) {
        if (reply->index < 0 || reply->index != worker.busyWith) {
            // What it says can no longer be trusted.
            kill(worker, QStringLiteral("the analysis process sent a reply that cannot be read"));
            return;
        }
        worker.clock->stop();
        worker.busyWith = -1;
        deliver(reply->index, std::move(reply->outcome));
        dispatch(worker);
    }
}

void WorkerPool::kill(Worker &worker, const QString &why)
{
    worker.killedBecause = why;
    worker.process->kill();
}

void WorkerPool::workerEnded(Worker &worker, const QString &why, bool neverStarted)
{
    worker.clock->stop();
    int lost = std::exchange(worker.busyWith, -1);
    // A process that cannot even start costs the next file, so that a run where none can
    // start still comes to its end.
    if (lost < 0 && neverStarted && m_next < m_files.size())
        lost = m_next++;
    if (lost >= 0) {
        if (!neverStarted)
            m_sweepUp(m_files.at(lost), worker.processId);
        deliver(lost, m_lostOutcome(m_files.at(lost), why));
    }
    if (m_stopped || m_next >= m_files.size())
        return;
    // From the event loop: a start that fails at once must not recurse.
    QTimer::singleShot(0, this, [this, &worker] {
        if (m_stopped || m_next >= m_files.size())
            return;
        start(worker);
        dispatch(worker);
    });
}

void WorkerPool::deliver(int index, FileOutcome outcome)
{
    m_outcomeReady(index, std::move(outcome));
    ++m_delivered;
    if (m_delivered == m_files.size() && m_loop != nullptr)
        m_loop->quit();
}
