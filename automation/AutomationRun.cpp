#include "automation/AutomationRun.h"

#include "app/textVis.h"
#include "view/GraphWidget.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int imagePaintCount = 10;

void say(const char *format, const QString &path)
{
    std::printf(format, path.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace

AutomationRun::AutomationRun(textVis &window)
    : m_window(window)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, &m_window, &textVis::automateTrigger);
}

void AutomationRun::start(const QStringList &files)
{
    cancel();
    m_window.automateFiles = files;
    if (files.isEmpty())
        return;
    m_window.automateFirstStep = true;
    schedule(0);
}

void AutomationRun::cancel()
{
    ++m_generation;
    m_timer.stop();
    // The list is non-empty exactly while a run is pending or inside one of its steps.
    if (!m_window.automateFiles.isEmpty())
        say("automate: run cancelled; nothing more written from %s on\n",
            m_window.automateFiles.first());
    m_window.automateFiles.clear();
    m_window.automateFirstStep = false;
}

void AutomationRun::step()
{
    // A direct call while a step is pending takes that step's place.
    m_timer.stop();
    if (m_window.automateFiles.isEmpty())
        return;
    if (m_window.automateFirstStep) {
        m_window.automateFirstStep = false;
    } else {
        writeResults();
        m_window.automateFiles.removeFirst();
        if (m_window.automateFiles.isEmpty()) {
            emit stepDone();
            emit finished();
            return;
        }
    }
    loadCurrentFile();
}

void AutomationRun::loadCurrentFile()
{
    const quint64 generation = m_generation;
    m_currentFileRead = m_window.loadScreenplay(m_window.automateFiles.first());
    // The progress dialogs of the load run the event loop; the run may have been cancelled
    // or replaced meanwhile.
    if (generation != m_generation)
        return;
    schedule(m_window.automateDelayMs);
    emit stepDone();
}

void AutomationRun::schedule(int delayMs)
{
    m_timer.start(std::max(0, delayMs));
}

void AutomationRun::writeResults()
{
    const QString path = m_window.document.filePath;
    if (!m_currentFileRead) {
        // Results of an unreadable file would only be pictures of "file not found", and
        // they would replace whatever an earlier run wrote under these names.
        say("automate: could not read %s; nothing written for it\n", path);
        return;
    }
    if (m_window.automateWriteImages)
        writeImage(path + QStringLiteral(".png"));
    if (m_window.automateWriteSceneStats)
        m_window.writeSceneStats(path + QStringLiteral("-scene.csv"));
    if (m_window.automateWriteCharacterStats)
        m_window.writeCharacterStats(path + QStringLiteral("-character.csv"));
}

void AutomationRun::writeImage(const QString &name)
{
    GraphWidget &view = *m_window.form.ThreadView;
    view.makeCurrent();
    view.setImageFileName(name);
    for (int i = 0; i < imagePaintCount; ++i)
        view.paintFrame();
    if (!view.pendingImageFile.isEmpty()) {
        // Nothing could be drawn (no characters, say). Left pending, the request would be
        // served by a later frame with the picture of the next screenplay.
        view.setImageFileName(QString());
        say("automate: no thread view to draw for %s; no image written\n", name);
    }
}
