#include "automation/AutomationRun.h"

#include "automation/BatchTarget.h"
#include "support/Diagnostics.h"

#include <algorithm>

namespace {

void say(const char *format, const QString &path)
{
    Diagnostics::print(format, path.toLocal8Bit().constData());
}

} // namespace

AutomationRun::AutomationRun(BatchTarget &target)
    : m_target(target)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AutomationRun::step);
}

void AutomationRun::start(const QStringList &files)
{
    cancel();
    m_target.automateFiles = files;
    if (files.isEmpty())
        return;
    m_target.automateFirstStep = true;
    schedule(0);
}

void AutomationRun::cancel()
{
    ++m_generation;
    m_timer.stop();
    // The list is non-empty exactly while a run is pending or inside one of its steps.
    if (!m_target.automateFiles.isEmpty())
        say("automate: run cancelled; nothing more written from %s on\n",
            m_target.automateFiles.first());
    m_target.automateFiles.clear();
    m_target.automateFirstStep = false;
}

void AutomationRun::step()
{
    // A direct call while a step is pending takes that step's place.
    m_timer.stop();
    if (m_target.automateFiles.isEmpty())
        return;
    if (m_target.automateFirstStep) {
        m_target.automateFirstStep = false;
    } else {
        writeResults();
        m_target.automateFiles.removeFirst();
        if (m_target.automateFiles.isEmpty()) {
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
    m_currentFileRead = m_target.loadScreenplay(m_target.automateFiles.first());
    // The progress dialogs of the load run the event loop; the run may have been cancelled
    // or replaced meanwhile.
    if (generation != m_generation)
        return;
    schedule(m_target.automateDelayMs);
    emit stepDone();
}

void AutomationRun::schedule(int delayMs)
{
    m_timer.start(std::max(0, delayMs));
}

void AutomationRun::writeResults()
{
    const QString path = m_target.screenplayPath();
    if (!m_currentFileRead) {
        // Results of an unreadable file would only be pictures of "file not found", and
        // they would replace whatever an earlier run wrote under these names.
        say("automate: could not read %s; nothing written for it\n", path);
        return;
    }
    if (m_target.automateWriteImages)
        writeImage(path + QStringLiteral(".png"));
    if (m_target.automateWriteSceneStats)
        m_target.writeSceneStats(path + QStringLiteral("-scene.csv"));
    if (m_target.automateWriteCharacterStats)
        m_target.writeCharacterStats(path + QStringLiteral("-character.csv"));
}

void AutomationRun::writeImage(const QString &name)
{
    if (!m_target.writeThreadImage(name))
        say("automate: no thread view to draw for %s; no image written\n", name);
}
