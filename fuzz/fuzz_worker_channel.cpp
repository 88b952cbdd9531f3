// The frames between the command line's coordinating process and its workers, from either
// side: whatever bytes arrive, a frame is taken whole, refused, or waited for, and nothing is
// read or allocated beyond what its length allows.
#include "FuzzInput.h"

#include "WorkerChannel.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Takes frames off the front of the bytes as the coordinator does with what a worker sends.
template<typename Take> void takeAll(QByteArray buffer, Take take)
{
    while (const auto message = take(buffer)) {
        if (message->index < 0)
            break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    takeAll(bytes, WorkerChannel::takeReply);
    takeAll(bytes, WorkerChannel::takeRequest);

    // A worker reads its greeting and then its requests from a descriptor.
    const int input = ::open(QFile::encodeName(writeFuzzInput(data, size)).constData(), O_RDONLY);
    if (input < 0)
        return 0;
    if (WorkerChannel::readGreeting(input)) {
        while (const std::optional<WorkerChannel::Request> request =
                   WorkerChannel::readRequest(input)) {
            if (request->index < 0)
                break;
        }
    }
    ::close(input);
    return 0;
}
