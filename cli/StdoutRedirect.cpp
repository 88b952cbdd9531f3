#include "cli/StdoutRedirect.h"

#include <cstdio>
#include <unistd.h>

StdoutToStderr::StdoutToStderr()
{
    // Anything still buffered belongs to the real standard output.
    std::fflush(stdout);
    m_savedStdout = ::dup(STDOUT_FILENO);
    if (m_savedStdout >= 0)
        ::dup2(STDERR_FILENO, STDOUT_FILENO);
}

StdoutToStderr::~StdoutToStderr()
{
    std::fflush(stdout);
    if (m_savedStdout >= 0) {
        ::dup2(m_savedStdout, STDOUT_FILENO);
        ::close(m_savedStdout);
    }
}
