#pragma once

#include "app/AnalysisProgress.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

// Shows a long stage in a window-modal progress dialog with an "Abort" button. Each stage
// gets a dialog of its own; the one of the previous stage is destroyed.
class DialogProgress : public AnalysisProgress
{
public:
    explicit DialogProgress(QWidget *window);
    ~DialogProgress() override;
    DialogProgress(const DialogProgress &) = delete;
    DialogProgress &operator=(const DialogProgress &) = delete;

    void begin(const QString &label, int maximum) override;
    void setValue(int value) override;
    void setTitle(const QString &title) override;
    bool wasCanceled() const override;
    void finish() override;

    // The dialog of the current stage, or null before the first stage.
    QProgressDialog *dialog() const;

private:
    QWidget *m_window;
    QPointer<QProgressDialog> m_dialog;
};
