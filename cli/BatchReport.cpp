#include "BatchReport.h"

#include "StandardOutput.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace {

void writeAll(std::FILE *stream, const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

QString duration(double seconds)
{
    const qint64 whole = std::llround(seconds);
    const qint64 hours = whole / 3600;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2")
            .arg((whole / 60) % 60, hours > 0 ? 2 : 1, 10, QLatin1Char('0'))
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QString::number(hours) + QLatin1Char(':') + minutesAndSeconds
                     : minutesAndSeconds;
}

} // namespace

BatchReport::BatchReport(QStringList files, QByteArrayList settingsFiles, bool terminal)
    : m_files(std::move(files))
    , m_settingsFiles(std::move(settingsFiles))
    , m_terminal(terminal)
{
    m_clock.start();
    if (m_terminal && m_files.size() > 1)
        showProgress(true);
}

void BatchReport::addRunMessages(const QByteArray &messages)
{
    const QByteArray kept = withoutRepeats(messages);
    if (m_terminal && !kept.isEmpty())
        clearProgress();
    writeAll(stderr, kept);
    std::fflush(stderr);
}

QByteArray BatchReport::withoutRepeats(const QByteArray &messages)
{
    QByteArray kept;
    int from = 0;
    while (from < messages.size()) {
        const int end = messages.indexOf('\n', from);
        const int next = end < 0 ? messages.size() : end + 1;
        const QByteArray line = messages.mid(from, next - from);
        from = next;
        const bool aboutSettings =
            std::any_of(m_settingsFiles.begin(), m_settingsFiles.end(),
                        [&](const QByteArray &file) { return line.contains(file); });
        if (!aboutSettings || m_settingsLines.insert(line).second)
            kept += line;
    }
    return kept;
}

void BatchReport::add(int index, FileOutcome outcome)
{
    m_waiting.emplace(index, std::move(outcome));
    while (!m_waiting.empty() && m_waiting.begin()->first == m_printed) {
        print(m_printed, m_waiting.begin()->second);
        m_waiting.erase(m_waiting.begin());
        ++m_printed;
    }
    if (m_terminal && m_files.size() > 1)
        showProgress(done() == m_files.size());
}

int BatchReport::done() const
{
    return m_printed + static_cast<int>(m_waiting.size());
}

void BatchReport::print(int index, const FileOutcome &outcome)
{
    QByteArray messages = outcome.messages;
    if (outcome.onceFrom >= 0 && outcome.onceLength > 0) {
        if (m_oncePrinted)
            messages.remove(outcome.onceFrom, outcome.onceLength);
        m_oncePrinted = true;
    }
    messages = withoutRepeats(messages);
    const int total = m_files.size();
    if (m_terminal) {
        if (!messages.isEmpty())
            clearProgress();
    } else if (total > 1) {
        std::fprintf(stderr, "[%d/%d] %s\n", index + 1, total,
                     QFile::encodeName(m_files.at(index)).constData());
    }
    writeAll(stderr, messages);
    std::fflush(stderr);
    if (!outcome.json.isEmpty())
        StandardOutput::write(outcome.json);
    m_summaryRows += outcome.summaryRow;
    if (!outcome.succeeded)
        ++m_failures;
}

void BatchReport::showProgress(bool force)
{
    const qint64 now = m_clock.elapsed();
    // A few redraws a second are all a reader can follow, and each costs a write.
    if (!force && m_lastProgressAt >= 0 && now - m_lastProgressAt < 200)
        return;
    m_lastProgressAt = now;
    const int total = m_files.size();
    const int finished = done();
    const double seconds = static_cast<double>(now) / 1000.0;
    QString line = QStringLiteral("[%1/%2]").arg(finished).arg(total);
    if (finished > 0 && seconds > 0.0) {
        const double rate = finished / seconds;
        line += QStringLiteral(" %1 screenplays/s").arg(rate, 0, 'f', 1);
        if (finished < total)
            line += QStringLiteral(", %1 left").arg(duration((total - finished) / rate));
        else
            line += QStringLiteral(", done in %1").arg(duration(seconds));
    }
    std::fprintf(stderr, "\r%s\033[K", line.toLocal8Bit().constData());
    std::fflush(stderr);
    m_progressShown = true;
}

void BatchReport::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    m_progressShown = false;
    m_lastProgressAt = -1; // redraw at once after the messages
}

void BatchReport::finish()
{
    if (m_progressShown) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
        m_progressShown = false;
    }
}
