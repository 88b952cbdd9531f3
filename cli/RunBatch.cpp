#include "RunBatch.h"

#include "BatchReport.h"
#include "BatchRunner.h"
#include "CliOptions.h"
#include "InputFiles.h"
#include "RunOutputs.h"
#include "StandardOutput.h"
#include "StderrCapture.h"
#include "StopSignals.h"
#include "WorkerMain.h"
#include "WorkerPool.h"
#include "reader/ScreenplayReader.h"
#include "reader/TemporaryFile.h"
#include "reader/TextFile.h"
#include "scenes/CorpusSummary.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

#include <unistd.h>

namespace {

int workerCount(const CliOptions &options, int files)
{
    const int asked = options.jobs > 0 ? options.jobs : QThread::idealThreadCount();
    return std::max(1, std::min(asked, files));
}

// The outcome of a file whose worker process was lost while analysing it.
FileOutcome lostOutcome(const CliOptions &options, const QStringList &breakStrings,
                        const QString &path, const QString &why)
{
    FileOutcome outcome;
    outcome.messages = "quillmark-cli: cannot analyse " + QFile::encodeName(path) + ": " +
                       why.toLocal8Bit() + '\n';
    if (!options.summary.isEmpty())
        outcome.summaryRow = corpusFailureRow(path, screenplayFormat(path), why, breakStrings);
    return outcome;
}

// Removes the temporary files a lost worker left of the file's outputs.
void sweepUpAfter(const CliOptions &options, const QString &path, qint64 worker)
{
    QSet<QByteArray> names;
    for (const QString &output : RunOutputs::besideScreenplay(path, options))
        names.insert(QFile::encodeName(QFileInfo(output).fileName()));
    TemporaryFile::removeLeftBy(QFileInfo(path).path(), worker,
                                [&](const QByteArray &target) { return names.contains(target); });
}

// Removes what killed runs left in the folders this run writes to: temporary files of the
// tool's outputs (and of the corpus table) from before this run began.
void sweepUpEarlierRuns(const CliOptions &options, const QStringList &files, qint64 runStart)
{
    QSet<QString> folders;
    for (const QString &file : files)
        folders.insert(QFileInfo(file).path());
    for (const QString &folder : folders)
        TemporaryFile::removeStale(folder, runStart, RunOutputs::isOutputName);
    if (options.summary.isEmpty())
        return;
    const QByteArray table = QFile::encodeName(QFileInfo(options.summary).fileName());
    TemporaryFile::removeStale(QFileInfo(options.summary).path(), runStart,
                               [&](const QByteArray &target) { return target == table; });
}

// The limit for one file: as asked, or long enough for the largest screenplay on a busy
// machine (a feature-length one takes about a second; one of 200 MB, some minutes).
int timeLimitFor(const CliOptions &options, const QString &path)
{
    if (options.timeLimit >= 0)
        return options.timeLimit;
    constexpr qint64 megabyte = 1024 * 1024;
    return static_cast<int>(600 + 10 * (QFileInfo(path).size() / megabyte));
}

// Analyses the files in worker processes, one at a time at -j 1 too: a file that crashes its
// process, runs it out of memory or takes too long costs that file, never the run.
void analyseAll(const CliOptions &options, const QStringList &breakStrings,
                const QStringList &files, BatchReport &report)
{
    WorkerPool::Setup setup;
    setup.arguments = workerArguments(options);
    setup.workers = workerCount(options, files.size());
    setup.timeLimit = [&options](const QString &path) {
        return timeLimitFor(options, path);
    };
    WorkerPool pool(
        setup, files,
        [&](int index, FileOutcome outcome) { report.add(index, std::move(outcome)); },
        [&](const QString &path, const QString &why) {
            return lostOutcome(options, breakStrings, path, why);
        },
        [&](const QString &path, qint64 worker) { sweepUpAfter(options, path, worker); });
    QSocketNotifier stopSignal(StopSignals::descriptor(), QSocketNotifier::Read);
    QObject::connect(&stopSignal, &QSocketNotifier::activated, [&pool] { pool.stop(); });
    pool.run();
}

void reportUnusable(const std::vector<UnusablePath> &unusable, const CliOptions &options,
                    const QStringList &breakStrings, QString &summaryRows)
{
    for (const UnusablePath &entry : unusable) {
        std::fprintf(stderr, "quillmark-cli: cannot read %s: %s\n",
                     printablePath(entry.path).constData(), entry.reason.toLocal8Bit().constData());
        if (!options.summary.isEmpty()) {
            const QString shown = QString::fromLatin1(printablePath(entry.path));
            summaryRows +=
                corpusFailureRow(shown, screenplayFormat(shown), entry.reason, breakStrings);
        }
    }
}

bool writeSummary(const CliOptions &options, const QStringList &breakStrings, const QString &rows)
{
    QString reason;
    const TextFile::ByteOrderMark mark =
        options.bom ? TextFile::ByteOrderMark::Written : TextFile::ByteOrderMark::None;
    if (TextFile::writeUnicodeText(options.summary, corpusSummaryHeader(breakStrings) + rows, mark,
                                   &reason))
        return true;
    std::fprintf(stderr, "quillmark-cli: cannot write %s: %s\n",
                 QFile::encodeName(options.summary).constData(), reason.toLocal8Bit().constData());
    return false;
}

QByteArrayList settingsFileNames(const SettingsPaths &settings)
{
    QByteArrayList names;
    for (const QString &file :
         {settings.config, settings.breakStrings, settings.characters, settings.colors})
        names.append(QFile::encodeName(file));
    return names;
}

// The screenplays of the run; nothing (after saying why) when the list cannot be read or an
// output would replace one of the files the run reads.
std::optional<InputFiles> gatherInputs(const CliOptions &options, const SettingsPaths &settings)
{
    const QString ownTable =
        !options.summary.isEmpty() && RunOutputs::isCorpusTable(options.summary) ? options.summary
                                                                                 : QString();
    InputFiles inputs = collectInputFiles(options.files, options.filesFrom, ownTable);
    const QString refusal = !inputs.error.isEmpty()
                                ? inputs.error
                                : RunOutputs::clashWithInputs(inputs.files, options, settings);
    if (refusal.isEmpty())
        return inputs;
    std::fprintf(stderr, "quillmark-cli: %s\n", refusal.toLocal8Bit().constData());
    return std::nullopt;
}

} // namespace

int runBatch(const CliOptions &options)
{
    const qint64 runStart = QDateTime::currentMSecsSinceEpoch();
    BatchRunner runner(options);
    StderrCapture settingsMessages;
    settingsMessages.begin();
    const bool prepared = runner.prepare();
    const QByteArray runMessages = settingsMessages.end();
    if (!prepared) {
        std::fputs(runMessages.constData(), stderr);
        return 2;
    }
    const std::optional<InputFiles> inputs = gatherInputs(options, runner.settings());
    if (!inputs)
        return 2;

    StopSignals::catchAll();
    // A reader of standard output that goes away (`| head`) makes the next write fail with
    // EPIPE, which is reported, rather than end the process before it has stopped its workers.
    std::signal(SIGPIPE, SIG_IGN);
    sweepUpEarlierRuns(options, inputs->files, runStart);
    BatchReport report(inputs->files, settingsFileNames(runner.settings()),
                       isatty(STDERR_FILENO) != 0);
    report.addRunMessages(runMessages);
    QString unusableRows;
    reportUnusable(inputs->unusable, options, runner.breakStrings(), unusableRows);
    if (StopSignals::received() == 0)
        analyseAll(options, runner.breakStrings(), inputs->files, report);
    report.finish();
    if (const int signal = StopSignals::received()) {
        std::fprintf(stderr, "quillmark-cli: stopped by signal %d (%s)%s\n", signal,
                     strsignal(signal),
                     options.summary.isEmpty() ? "" : "; the corpus table is not written");
        return StopSignals::exitStatus(signal);
    }
    bool summaryWritten = true;
    if (!options.summary.isEmpty())
        summaryWritten =
            writeSummary(options, runner.breakStrings(), report.summaryRows() + unusableRows);
    const bool outputWritten = StandardOutput::reportFailure();
    const bool allRead = report.failures() == 0 && inputs->unusable.empty();
    return allRead && summaryWritten && outputWritten ? 0 : 1;
}

int runBatchWorker(const CliOptions &options)
{
    BatchRunner runner(options);
    // The coordinating process has read the same settings and said what there was to say.
    StderrCapture startup;
    startup.begin();
    const bool prepared = runner.prepare();
    startup.end();
    return prepared ? runWorker(runner) : 2;
}
