#include "StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace StandardOutput {

namespace {

QString &firstFailure()
{
    static QString failure;
    return failure;
}

bool isClosed(int descriptor)
{
    return fcntl(descriptor, F_GETFD) < 0 && errno == EBADF;
}

void occupy(int descriptor, int mode)
{
    const int placeholder = open("/dev/null", mode | O_CLOEXEC);
    if (placeholder < 0 || placeholder == descriptor)
        return;
    // dup2 clears close-on-exec on the copy, as a standard descriptor should have.
    dup2(placeholder, descriptor);
    close(placeholder);
}

} // namespace

void guardClosedDescriptors()
{
    if (isClosed(STDIN_FILENO))
        occupy(STDIN_FILENO, O_RDONLY);
    // Read-only on purpose: every write to it fails (EBADF), and is reported as lost output.
    if (isClosed(STDOUT_FILENO))
        occupy(STDOUT_FILENO, O_RDONLY);
    // Nobody would read the messages, but they must not land in a file opened later either.
    if (isClosed(STDERR_FILENO))
        occupy(STDERR_FILENO, O_WRONLY);
}

bool write(const QByteArray &bytes)
{
    if (!firstFailure().isEmpty())
        return false;
    const size_t size = static_cast<size_t>(bytes.size());
    errno = 0;
    const bool written = (size == 0 || std::fwrite(bytes.constData(), 1, size, stdout) == size) &&
                         std::fflush(stdout) == 0;
    if (written)
        return true;
    if (errno == EBADF)
        firstFailure() = QStringLiteral("it is closed");
    else
        firstFailure() = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                    : QStringLiteral("the write was cut short");
    // What stdio still holds would only fail again at exit.
    std::clearerr(stdout);
    return false;
}

QString failure()
{
    return firstFailure();
}

bool reportFailure()
{
    static bool reported = false;
    if (firstFailure().isEmpty())
        return true;
    if (!reported)
        std::fprintf(stderr, "quillmark-cli: cannot write standard output: %s; results were lost\n",
                     firstFailure().toLocal8Bit().constData());
    reported = true;
    return false;
}

} // namespace StandardOutput
