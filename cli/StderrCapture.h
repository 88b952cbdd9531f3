#pragma once

#include <QByteArray>

// Collects everything written to standard error between begin() and end(): the tool's own
// messages, the library's diagnostic lines and whatever Qt or a reader library prints. The
// descriptor itself is redirected, so nothing escapes by writing to it directly. The bytes are
// kept in memory (an anonymous memory file), never in a temporary folder that may be full or
// not writable. When no such file can be made, nothing is collected and standard error stays
// as it was, so the messages still show, only not held back for the report.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    void begin();
    QByteArray end();
    // How many bytes have been collected since begin(); 0 when nothing is being collected.
    int collected() const;

private:
    int m_memory = -1;      // reused: emptied at every begin()
    int m_savedStderr = -1; // the real standard error while a capture runs
};
