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

QString DocumentController::openFile()
{
    // Cancelling the dialog keeps the open screenplay as it is.
    const QString path = QFileDialog::getOpenFileName(m_window, tr("Select a screenplay"));
    QString failure;
    if (!path.isEmpty())
        loadScreenplay(path, &failure);
    return failure;
}

bool DocumentController::loadScreenplay(const QString &path, QString *failure)
{
    // The file is read before anything is let go of, so that a file that cannot be read, or
    // a reading the user stops, leaves the open screenplay as it was.
    OpenedScreenplay opened = m_session.open(path, m_progress.stage());
    if (opened.outcome == OpenOutcome::Stopped) {
        emit readingStopped(screenplayFileName(path));
        return false;
    }
    if (opened.outcome == OpenOutcome::Unread) {
        m_progress.finish();
        // In the command line's words: "cannot read FILE: REASON".
        const QString why =
            tr("Cannot read %1: %2").arg(screenplayFileName(path), opened.screenplay.readError);
        if (failure != nullptr)
            *failure = why;
        emit openFailed(why);
        return false;
    }
    // Millions of lines take a second or more to free; that happens off this thread.
    m_release.release(std::exchange(m_screenplay, std::move(opened.screenplay)));
    emit screenplayOpened(screenplayFileName(path));
    parse(false);
    return true;
}

void DocumentController::parseText()
{
    parse(true);
}

void DocumentController::parse(bool countJoined)
{
    emit parseStarting();
    // The old index and markup may be a long screenplay's.
    m_release.release(std::exchange(m_analysis, nullptr));
    m_analysis = m_session.parse(m_screenplay, m_progress.stage());
    // Include characters first met by this pass join the characters too late for its scene
    // index. At a reparse they are those added in Force Character since the last parse: a
    // second pass counts them, so that they show in the list and the threads at once. The
    // parse of a file just opened stays the command line's, so that both count the same.
    const bool joined =
        countJoined && m_analysis->characters.size() > m_analysis->timeIndex->characters.size();
    m_screenplay.characters = m_analysis->characters;
    if (joined) {
        m_release.release(std::exchange(m_analysis, nullptr));
        m_analysis = m_session.parse(m_screenplay, m_progress.stage());
        m_screenplay.characters = m_analysis->characters;
    }
    if (!m_analysis->analysisError.isEmpty())
        emit notDone(tr("Scene counts"), m_analysis->analysisError);
    emit analysed(m_analysis);
    const QStringList warnings = m_session.takeSettingsWarnings() + m_analysis->warnings;
    if (!warnings.isEmpty())
        emit warned(warnings);
}
