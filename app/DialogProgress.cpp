#include "app/DialogProgress.h"

#include <QProgressDialog>

DialogProgress::DialogProgress(QWidget *window)
    : m_window(window)
{
}

// The dialog is a child of the window, which may already be gone when this runs.
DialogProgress::~DialogProgress()
{
    delete m_dialog.data();
}

QProgressDialog *DialogProgress::dialog() const
{
    return m_dialog.data();
}

void DialogProgress::begin(const QString &label, int maximum)
{
    // Deferred: a timer that starts a stage may fire inside the old dialog's setValue.
    if (m_dialog) {
        m_dialog->reset(); // stops its timer, which could show it again before it is gone
        m_dialog->hide();
        m_dialog->deleteLater();
    }
    m_dialog = new QProgressDialog(label, QStringLiteral("Abort"), 0, maximum, m_window);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->show();
}

void DialogProgress::setValue(int value)
{
    if (m_dialog)
        m_dialog->setValue(value);
}

void DialogProgress::setTitle(const QString &title)
{
    if (m_dialog)
        m_dialog->setWindowTitle(title);
}

bool DialogProgress::wasCanceled() const
{
    return m_dialog && m_dialog->wasCanceled();
}

void DialogProgress::finish()
{
    // A dialog whose value never reached its maximum (an empty file) would show itself again
    // when its minimum duration runs out; reset() stops that timer.
    if (m_dialog) {
        m_dialog->reset();
        m_dialog->hide();
    }
}
