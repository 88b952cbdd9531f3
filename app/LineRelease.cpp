#include "app/LineRelease.h"

LineRelease::~LineRelease()
{
    if (m_worker.joinable())
        m_worker.join();
}

void LineRelease::release(QStringList &&lines)
{
    if (m_worker.joinable())
        m_worker.join();
    // The strings' reference counts are atomic, so one still shared with the window (a name
    // taken from a line, say) is only let go of here, and freed by whichever side drops it last.
    m_worker = std::thread([closed = std::move(lines)]() mutable { closed = QStringList(); });
}
