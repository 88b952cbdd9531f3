#pragma once

#include <QString>

#include <functional>

// How a long stage of the analysis reports how far it is and learns that the user cancelled.
// Every function may be empty. The window adapts them to its progress dialog; the command
// line and the tests leave them empty.
struct StageProgress
{
    // A stage starts: its label ("Finding characters:", "Parsing Text") and its range
    // 0..maximum.
    std::function<void(const QString &label, int maximum)> began;
    // The stage has treated `value` of its units (lines); `found` is what it has found so
    // far (characters during discovery), or -1 where a stage finds nothing countable.
    std::function<void(int value, int found)> progressed;
    std::function<void(const QString &title)> titled;
    std::function<bool()> canceled;
    // The stage is over and nothing follows it (its dialog, if any, is hidden).
    std::function<void()> finished;

    void begin(const QString &label, int maximum) const
    {
        if (began)
            began(label, maximum);
    }
    void report(int value, int found = -1) const
    {
        if (progressed)
            progressed(value, found);
    }
    void setTitle(const QString &title) const
    {
        if (titled)
            titled(title);
    }
    bool wasCanceled() const { return canceled && canceled(); }
    void finish() const
    {
        if (finished)
            finished();
    }

    // A step of a stage that counts in thousandths: the step's own 0..1000 are reported as
    // `begin`..`end` of this stage. Cancelling is passed through. This must outlive the step.
    StageProgress step(int begin, int end) const
    {
        StageProgress part;
        if (progressed)
            part.progressed = [this, begin, end](int value, int found) {
                report(begin + int((long long)(end - begin) * value / 1000), found);
            };
        part.canceled = canceled;
        return part;
    }
};
