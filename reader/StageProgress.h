#pragma once

#include <functional>

// How a long stage of the analysis reports how far it is and learns that the user cancelled.
// Either function may be empty. The window adapts them to its progress dialog; the command
// line and the tests leave them empty.
struct StageProgress
{
    // The stage has treated `value` of its units (lines); `found` is what it has found so
    // far (characters during discovery), or -1 where a stage finds nothing countable.
    std::function<void(int value, int found)> progressed;
    std::function<bool()> canceled;

    void report(int value, int found = -1) const
    {
        if (progressed)
            progressed(value, found);
    }
    bool wasCanceled() const { return canceled && canceled(); }
};
