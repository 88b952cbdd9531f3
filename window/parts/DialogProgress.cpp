#include "parts/DialogProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWindow>

namespace {

// How long a new dialog may take to be mapped by the display before its stage goes on.
constexpr int exposeTimeoutMs = 500;

} // namespace

DialogProgress::DialogProgress(QWidget *window)
    : m_window(window)
{
}

// The dialog is a child of the window, which may already be gone when this runs.
DialogProgress::~DialogProgress()
{
    delete m_dialog.data();
}

StageProgress DialogProgress::stage()
{
    StageProgress progress;
    progress.began = [this](const QString &label, int maximum) {
        begin(label, maximum);
    };
    progress.progressed = [this](int value, int) {
        setValue(value);
    };
    progress.titled = [this](const QString &title) {
        setTitle(title);
    };
    progress.canceled = [this] {
        return wasCanceled();
    };
    progress.finished = [this] {
        finish();
    };
    return progress;
}

QProgressDialog *DialogProgress::dialog() const
{
    return m_dialog.data();
}

void DialogProgress::begin(const QString &label, int maximum)
{
    // Deferred: a timer that starts a stage may fire inside the old dialog's setValue.
    if (m_dialog) {
        showPendingTitle();
        m_dialog->reset(); // stops its timer, which could show it again before it is gone
        m_dialog->hide();
        m_dialog->deleteLater();
    }
    m_dialog = new QProgressDialog(label, QStringLiteral("Abort"), 0, maximum, m_window);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    showPainted();
}

// The stage that follows may not report for a while (the reading of a large file, the
// styling of its text), so the dialog is on the screen before it starts.
void DialogProgress::showPainted()
{
    m_dialog->show();
    QElapsedTimer waited;
    waited.start();
    while (m_dialog && waited.elapsed() < exposeTimeoutMs &&
           (m_dialog->windowHandle() == nullptr || !m_dialog->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (m_dialog)
        m_dialog->repaint();
    m_sinceEvents.start();
}

// A value reaches the dialog only every eventIntervalMs: a modal dialog runs the event loop
// on every new value, which for a stage reporting each line would cost more than the stage.
void DialogProgress::setValue(int value)
{
    if (!m_dialog)
        return;
    const bool last = value >= m_dialog->maximum();
    if (!last && m_sinceEvents.isValid() && m_sinceEvents.elapsed() < eventIntervalMs)
        return;
    m_dialog->setValue(value);
    showPendingTitle();
    processEvents();
}

void DialogProgress::setTitle(const QString &title)
{
    if (!m_dialog)
        return;
    m_pendingTitle = title;
    if (!m_sinceTitle.isValid() || m_sinceTitle.elapsed() >= eventIntervalMs)
        showPendingTitle();
}

void DialogProgress::showPendingTitle()
{
    if (m_pendingTitle.isNull() || !m_dialog)
        return;
    m_dialog->setWindowTitle(m_pendingTitle);
    m_pendingTitle.clear();
    m_sinceTitle.start();
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
        showPendingTitle();
        m_dialog->reset();
        m_dialog->hide();
    }
}

void DialogProgress::processEvents()
{
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
}
