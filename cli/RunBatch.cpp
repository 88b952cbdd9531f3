#include "RunBatch.h"

#include "BatchReport.h"
#include "BatchRunner.h"
#include "CliOptions.h"
#include "InputFiles.h"
#include "StderrCapture.h"
#include "WorkerMain.h"
#include "WorkerPool.h"
#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"
#include "scenes/CorpusSummary.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>

#include <unistd.h>

namespace {

int workerCount(const CliOptions &options, int files)
{
    const int asked = options.jobs > 0 ? options.jobs : QThread::idealThreadCount();
    return std::max(1, std::min(asked, files));
}

// The outcome of a file whose worker process died while analysing it.
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

void analyseAll(const CliOptions &options, BatchRunner &runner, const QStringList &files,
                BatchReport &report)
{
    const int workers = workerCount(options, files.size());
    if (workers == 1) {
        for (int i = 0; i < files.size(); ++i)
            report.add(i, runner.analyseFile(files.at(i)));
        return;
    }
    const QStringList &breakStrings = runner.breakStrings();
    WorkerPool pool(
        workerArguments(options), workers, files,
        [&](int index, FileOutcome outcome) { report.add(index, std::move(outcome)); },
        [&](const QString &path, const QString &why) {
            return lostOutcome(options, breakStrings, path, why);
        });
    pool.run();
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

} // namespace

int runBatch(const CliOptions &options)
{
    BatchRunner runner(options);
    if (!runner.prepare())
        return 2;
    const QStringList excluded =
        options.summary.isEmpty() ? QStringList() : QStringList{options.summary};
    const InputFiles inputs = collectInputFiles(options.files, options.filesFrom, excluded);
    if (!inputs.error.isEmpty()) {
        std::fprintf(stderr, "quillmark-cli: %s\n", inputs.error.toLocal8Bit().constData());
        return 2;
    }
    BatchReport report(inputs.files, isatty(STDERR_FILENO) != 0);
    analyseAll(options, runner, inputs.files, report);
    report.finish();
    bool summaryWritten = true;
    if (!options.summary.isEmpty())
        summaryWritten = writeSummary(options, runner.breakStrings(), report.summaryRows());
    std::fflush(stdout);
    return report.failures() == 0 && summaryWritten ? 0 : 1;
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
