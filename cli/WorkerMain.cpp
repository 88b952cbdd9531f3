#include "WorkerMain.h"

#include "BatchRunner.h"
#include "WorkerChannel.h"

#include <unistd.h>

int runWorker(BatchRunner &runner)
{
    const int replies = dup(STDOUT_FILENO);
    if (replies < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    while (const std::optional<WorkerChannel::Request> request =
               WorkerChannel::readRequest(STDIN_FILENO)) {
        const WorkerChannel::Reply reply{request->index, runner.analyseFile(request->path)};
        if (!WorkerChannel::writeAll(replies, WorkerChannel::encodeReply(reply)))
            return 1;
    }
    close(replies);
    return 0;
}
