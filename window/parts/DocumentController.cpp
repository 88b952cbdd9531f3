#include "parts/DocumentController.h"

#include "reader/ScreenplayReader.h"

#include <QFileDialog>
#include <QWidget>

#include <utility>

DocumentController::DocumentController(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_progress(window)
{
}

void DocumentController::openFile()
{
    // Cancelling the dialog keeps the open screenplay as it is.
    const QString path = QFileDialog::getOpenFileName(m_window, tr("Select a screenplay"));
    if (!path.isEmpty())
        loadScreenplay(path);
}

bool DocumentController::loadScreenplay(const QString &path)
{
    // The file is read before anything is let go of, so that a reading the user stops
    // leaves the open screenplay as it was.
    OpenedScreenplay opened = m_session.open(path, m_progress.stage());
    if (opened.outcome == OpenOutcome::Stopped) {
        emit readingStopped(screenplayFileName(path));
        return false;
    }
    // Millions of lines take a second or more to free; that happens off this thread.
    m_release.release(std::exchange(m_screenplay, std::move(opened.screenplay)));
    emit screenplayOpened(screenplayFileName(path), opened.outcome == OpenOutcome::Read);
    parseText();
    return opened.outcome == OpenOutcome::Read;
}

void DocumentController::parseText()
{
    emit parseStarting();
    // The old index and markup may be a long screenplay's.
    m_release.release(std::exchange(m_analysis, nullptr));
    m_analysis = m_session.parse(m_screenplay, m_progress.stage());
    m_screenplay.characters = m_analysis->characters;
    if (!m_analysis->analysisError.isEmpty())
        emit notDone(tr("Scene counts"), m_analysis->analysisError);
    emit analysed(m_analysis);
}
