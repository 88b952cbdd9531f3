#include "WorkerMain.h"

#include "BatchRunner.h"
#include "WorkerChannel.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <unistd.h>

namespace {

// A reply must fit in a frame; messages are all that can grow without bound (a reader that
// reports every element of a huge file), so their end is cut off with a note.
void fitInFrame(FileOutcome &outcome)
{
    constexpr int keptMessageBytes = 64 * 1024 * 1024;
    if (outcome.messages.size() <= keptMessageBytes)
        return;
    const int cut = outcome.messages.size() - keptMessageBytes;
    outcome.messages.truncate(keptMessageBytes);
    outcome.messages += "\nquillmark-cli: " + QByteArray::number(cut) +
                        " more bytes of messages about this file were left out\n";
    if (outcome.onceFrom + outcome.onceLength > keptMessageBytes)
        outcome.onceFrom = -1;
}

} // namespace

QString admitWorker()
{
    const QByteArray token = qgetenv(WorkerChannel::tokenVariable);
    qunsetenv(WorkerChannel::tokenVariable);
    const QString refused =
        QStringLiteral("--worker is only for the analysis processes quillmark-cli starts itself");
    if (token.isEmpty())
        return refused;
#ifdef __linux__
    // Should the coordinator be killed outright, nobody would collect this worker's results.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    const std::optional<QByteArray> greeting = WorkerChannel::readGreeting(STDIN_FILENO);
    if (!greeting || *greeting != token)
        return refused + QStringLiteral(" (its channel did not give the expected greeting)");
    return QString();
}

int runWorker(BatchRunner &runner)
{
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    const int replies = dup(STDOUT_FILENO);
    if (replies < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    while (const std::optional<WorkerChannel::Request> request =
               WorkerChannel::readRequest(STDIN_FILENO)) {
        if (request->index < 0) {
            std::fputs("quillmark-cli: the worker received a request it cannot read\n", stderr);
            return 2;
        }
        WorkerChannel::Reply reply{request->index, runner.analyseFile(request->path)};
        fitInFrame(reply.outcome);
        if (!WorkerChannel::writeAll(replies, WorkerChannel::encodeReply(reply)))
            return 1;
    }
    close(replies);
    return 0;
}
