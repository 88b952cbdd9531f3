#pragma once

#include <QStringList>

#include <thread>

// Frees the lines of a screenplay that has been closed on a thread of its own: letting go of
// the millions of lines of a long screenplay holds the window's thread for a second or more,
// with the progress dialog of the next screenplay unanswered.
class LineRelease
{
public:
    LineRelease() = default;
    // Waits until the lines handed over last are freed.
    ~LineRelease();
    LineRelease(const LineRelease &) = delete;
    LineRelease &operator=(const LineRelease &) = delete;

    // Takes the lines, which must not be shared with any other list, and frees them. The
    // lines handed over before are freed first.
    void release(QStringList &&lines);

private:
    std::thread m_worker;
};
