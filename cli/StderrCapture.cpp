#include "StderrCapture.h"

#include <cstdio>

#include <sys/mman.h>
#include <unistd.h>

StderrCapture::StderrCapture()
    : m_memory(memfd_create("quillmark-cli-messages", MFD_CLOEXEC))
{
}

StderrCapture::~StderrCapture()
{
    end();
    if (m_memory >= 0)
        close(m_memory);
}

void StderrCapture::begin()
{
    if (m_memory < 0 || m_savedStderr >= 0)
        return;
    std::fflush(stderr);
    if (ftruncate(m_memory, 0) != 0 || lseek(m_memory, 0, SEEK_SET) != 0)
        return;
    m_savedStderr = dup(STDERR_FILENO);
    if (m_savedStderr >= 0 && dup2(m_memory, STDERR_FILENO) < 0) {
        close(m_savedStderr);
        m_savedStderr = -1;
    }
}

int StderrCapture::collected() const
{
    if (m_savedStderr < 0)
        return 0;
    std::fflush(stderr);
    const off_t size = lseek(m_memory, 0, SEEK_END);
    return size > 0 ? static_cast<int>(size) : 0;
}

QByteArray StderrCapture::end()
{
    if (m_savedStderr < 0)
        return {};
    std::fflush(stderr);
    dup2(m_savedStderr, STDERR_FILENO);
    close(m_savedStderr);
    m_savedStderr = -1;

    const off_t size = lseek(m_memory, 0, SEEK_END);
    QByteArray written(size > 0 ? static_cast<int>(size) : 0, '\0');
    qint64 done = 0;
    while (done < written.size()) {
        const ssize_t got = pread(m_memory, written.data() + done, written.size() - done, done);
        if (got <= 0)
            break;
        done += got;
    }
    written.truncate(static_cast<int>(done));
    return written;
}
