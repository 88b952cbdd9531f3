// Times the command-line tool's pipeline (open, parse, and the three output texts) on
// generated screenplays of 1, 2 and 5 copies, so that growth with the length shows.
// Usage: core_pipeline_bench [RUNS]   (best of RUNS, default 5)

#include "ScreenplayGenerator.h"

#include "document/AnalysisSession.h"
#include "scenes/Statistics.h"
#include "support/StageProgress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

namespace {

struct Timing
{
    double open = 0.0;
    double parse = 0.0;
    double outputs = 0.0;
    int lines = 0;
    int characters = 0;
    int scenes = 0;
    qsizetype outputSize = 0; // keeps the output texts from being optimised away
    double total() const { return open + parse + outputs; }
};

double elapsedMs(QElapsedTimer &timer)
{
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
    timer.restart();
    return ms;
}

Timing runPipeline(const QString &path, const SettingsPaths &settings)
{
    Timing timing;
    QElapsedTimer timer;
    timer.start();
    // What the tool does before its first file, counted with the opening.
    AnalysisSession session(settings);
    session.readSettings();
    const OpenedScreenplay opened = session.open(path, StageProgress());
    timing.open = elapsedMs(timer);
    const std::shared_ptr<const Analysis> analysis =
        session.parse(opened.screenplay, StageProgress());
    const Analysis &document = *analysis;
    timing.parse = elapsedMs(timer);
    const QString scenes = sceneStatsCsv(*document.timeIndex, document.textLines.size());
    const QString characters = characterStatsCsv(*document.timeIndex);
    const QString markup = document.savedMarkup();
    timing.outputs = elapsedMs(timer);
    timing.outputSize = scenes.size() + characters.size() + markup.size();
    timing.lines = document.textLines.size();
    timing.characters = static_cast<int>(document.timeIndex->characters.size());
    timing.scenes = static_cast<int>(document.timeIndex->scenes.size());
    return timing;
}

Timing bestOf(int runs, const QString &path, const SettingsPaths &settings)
{
    Timing best;
    double bestTotal = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        const Timing timing = runPipeline(path, settings);
        if (timing.total() < bestTotal) {
            bestTotal = timing.total();
            best = timing;
        }
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
#ifndef NDEBUG
    std::printf("note: assertions are on; time a Release build (-DCMAKE_BUILD_TYPE=Release)\n");
#endif
    std::printf("best of %d runs\n", runs);
    std::printf("%6s %7s %6s %6s %9s %9s %9s %9s %12s\n", "copies", "lines", "chars", "scenes",
                "open ms", "parse ms", "output ms", "total ms", "ms/1k lines");
    for (const int copies : {1, 2, 5}) {
        QTemporaryDir folder;
        const QString path = writeGeneratedScreenplay(folder.path(), copies);
        if (path.isEmpty()) {
            std::fprintf(stderr, "cannot write the generated screenplay\n");
            return 1;
        }
        const Timing best = bestOf(runs, path, SettingsPaths::in(folder.path()));
        std::printf("%6d %7d %6d %6d %9.1f %9.1f %9.1f %9.1f %12.2f\n", copies, best.lines,
                    best.characters, best.scenes, best.open, best.parse, best.outputs, best.total(),
                    best.lines > 0 ? best.total() * 1000.0 / best.lines : 0.0);
        std::fflush(stdout);
    }
    return 0;
}
