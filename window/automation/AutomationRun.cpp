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
    m_summary = AutomationSummary();
    m_summary.screenplays = int(files.size());
    m_target.automateFirstStep = true;
    schedule(0);
    emit progressed(0, m_summary.screenplays);
}

void AutomationRun::cancel()
{
    ++m_generation;
    m_timer.stop();
    // The list is non-empty exactly while a run is pending or inside one of its steps.
    const bool running = !m_target.automateFiles.isEmpty();
    if (running)
        say("automate: run cancelled; nothing more written from %s on\n",
            m_target.automateFiles.first());
    m_target.automateFiles.clear();
    m_target.automateFirstStep = false;
    if (running)
        emit cancelled();
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
        emit progressed(++m_summary.done, m_summary.screenplays);
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
    m_readFailure.clear();
    m_currentFileRead = m_target.loadScreenplay(m_target.automateFiles.first(), &m_readFailure);
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

// The outputs are named after the file of the list, which is the screenplay read.
void AutomationRun::writeResults()
{
    const QString path = m_target.automateFiles.first();
    if (!m_currentFileRead) {
        // Results of an unreadable file would be those of the screenplay open before, and
        // they would replace whatever an earlier run wrote under these names.
        say("automate: could not read %s; nothing written for it\n", path);
        m_summary.failures.append(m_readFailure);
        return;
    }
    if (m_target.automateWriteImages)
        writeOutput(path + QStringLiteral(".png"), [this](const QString &name, QString *why) {
            return m_target.writeThreadImage(name, why);
        });
    if (m_target.automateWriteSceneStats)
        writeOutput(path + QStringLiteral("-scene.csv"), [this](const QString &name, QString *why) {
            return m_target.writeSceneStats(name, why);
        });
    if (m_target.automateWriteCharacterStats)
        writeOutput(path + QStringLiteral("-character.csv"),
                    [this](const QString &name, QString *why) {
                        return m_target.writeCharacterStats(name, why);
                    });
}

template<typename Write> void AutomationRun::writeOutput(const QString &name, Write write)
{
    QString why;
    if (write(name, &why)) {
        m_summary.written.append(name);
        return;
    }
    Diagnostics::print("automate: %s not written: %s\n", name.toLocal8Bit().constData(),
                       why.toLocal8Bit().constData());
    m_summary.failures.append(name + QStringLiteral(": ") + why);
}
