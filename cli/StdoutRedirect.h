#pragma once

// While it lives, whatever the process writes to standard output (the library's diagnostic
// lines, such as the XML walk's) goes to standard error instead. The JSON mode uses it to
// keep standard output a clean stream of JSON objects.
class StdoutToStderr
{
public:
    StdoutToStderr();
    ~StdoutToStderr();
    StdoutToStderr(const StdoutToStderr &) = delete;
    StdoutToStderr &operator=(const StdoutToStderr &) = delete;

private:
    int m_savedStdout = -1;
};
