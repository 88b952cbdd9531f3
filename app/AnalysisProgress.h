#pragma once

#include <QString>

// How a long stage reports progress and learns that the user cancelled. The main window
// adapts it to a progress dialog; the command line and the tests use SilentProgress.
class AnalysisProgress
{
public:
    virtual ~AnalysisProgress() = default;
    // A new stage starts: label ("Finding characters:", "Parsing Text"), range 0..maximum.
    virtual void begin(const QString &label, int maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual void setTitle(const QString &title) = 0;
    virtual bool wasCanceled() const = 0;
    // The stage is over: the dialog, if any, is hidden.
    virtual void finish() = 0;
};

class SilentProgress : public AnalysisProgress
{
public:
    void begin(const QString &, int) override {}
    void setValue(int) override {}
    void setTitle(const QString &) override {}
    bool wasCanceled() const override { return false; }
    void finish() override {}
};
