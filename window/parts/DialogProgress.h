#pragma once

#include "support/StageProgress.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

// Shows a long stage in a window-modal progress dialog with an "Abort" button. Each stage
// gets a dialog of its own; the one of the previous stage is destroyed. The stages run on
// the window's thread, so the dialog paints and sees a click on "Abort" only while events
// are processed: it is painted as its stage begins, and the stage's reports let the events
// run at least every `eventIntervalMs` (and not much more often, since a stage reports once
// per line).
class DialogProgress
{
public:
    static constexpr int eventIntervalMs = 50;

    explicit DialogProgress(QWidget *window);
    ~DialogProgress();
    DialogProgress(const DialogProgress &) = delete;
    DialogProgress &operator=(const DialogProgress &) = delete;

    void begin(const QString &label, int maximum);
    void setValue(int value);
    void setTitle(const QString &title);
    bool wasCanceled() const;
    void finish();

    // The analysis stages' view of this dialog; it refers to this object.
    StageProgress stage();

    // The dialog of the current stage, or null before the first stage.
    QProgressDialog *dialog() const;

private:
    void showPainted();
    void processEvents();
    void showPendingTitle();

    QWidget *m_window;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_sinceEvents;
    // A title reaches the window system at most every eventIntervalMs (discovery sets one per
    // line); the newest one held back is shown with the next value and at the stage's end.
    QElapsedTimer m_sinceTitle;
    QString m_pendingTitle;
};
