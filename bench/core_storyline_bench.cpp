// Times the storyline layout on the three sizes it has to be fast for (a feature-length
// screenplay, the generated one; 14 characters over 200 steps; 200 characters over 750 steps)
// and on a dense storyline and one of many short-lived characters, and prints the crossings
// and wiggles of each against the first-appearance baseline. Given screenplays (or sessions
// files), it does the same for each, analysed with the settings files of its folder.
// Usage: core_storyline_bench [RUNS] [FILE...]   (best of RUNS, default 5)

#include "ScreenplayGenerator.h"
#include "StorylineInstances.h"

#include "document/Analysis.h"
#include "document/AnalysisSession.h"
#include "storyline/StorylineLayout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <limits>

#include <time.h>

namespace {

// Processor time of this thread, beside the wall time: on a shared machine the wall time
// also counts the other users.
double threadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1.0e3 + now.tv_nsec / 1.0e6;
}

struct Instance
{
    QString name;
    StorylineSteps steps;
    double limitMs = 0.0; // none when 0
};

void run(const Instance &instance, int runs)
{
    double best = std::numeric_limits<double>::max();
    double bestProcessor = best;
    StorylineLayout layout;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double processorStart = threadMs();
        layout = layoutStoryline(instance.steps);
        bestProcessor = std::min(bestProcessor, threadMs() - processorStart);
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1.0e6);
    }
    const StorylineLayout baseline = firstAppearanceLayout(instance.steps);
    std::printf("%-34s %4d x %4zu  %8.1f ms wall, %8.1f ms processor", qPrintable(instance.name),
                instance.steps.characterCount, instance.steps.steps.size(), best, bestProcessor);
    if (instance.limitMs > 0.0)
        std::printf(" (limit %5.0f)", instance.limitMs);
    std::printf("  crossings %6d (baseline %6d)  wiggles %6d (baseline %6d)\n", layout.crossings,
                baseline.crossings, layout.wiggles, baseline.wiggles);
}

StorylineSteps stepsOfFile(const QString &path)
{
    AnalysisSession session(SettingsPaths::in(QFileInfo(path).absolutePath()));
    session.readSettings();
    return session.analyse(path)->storylineSteps();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    if (argc > 2) {
        for (int i = 2; i < argc; ++i) {
            const QString path = QString::fromLocal8Bit(argv[i]);
            run({QFileInfo(path).fileName(), stepsOfFile(path)}, runs);
        }
        return 0;
    }
    const std::shared_ptr<const Analysis> feature = parsedGeneratedScreenplay(1);
    StorylineShape movie;
    movie.characters = 14;
    movie.steps = 200;
    movie.life = 0.6;
    movie.strays = 0.15;
    StorylineShape large;
    large.characters = 200;
    large.steps = 750;
    large.mostGroups = 12;
    large.largestGroup = 6;
    large.life = 0.3;
    // Three groups a step, of up to five, a third drawn at random.
    StorylineShape dense{14, 300, 3, 5, 0.3, 0.03, 0.9, 2};
    // Sixty characters, each on stage for about a twentieth of the story.
    StorylineShape shortLived{60, 400, 2, 4, 0.15, 0.03, 0.05, 3};
    const Instance instances[] = {
        {QStringLiteral("feature-length screenplay"), feature->storylineSteps(), 100.0},
        {QStringLiteral("storyline 14 x 200"), generateStoryline(movie).steps, 50.0},
        {QStringLiteral("storyline 200 x 750"), generateStoryline(large).steps, 2000.0},
        {QStringLiteral("dense storyline"), generateStoryline(dense).steps},
        {QStringLiteral("many short-lived characters"), generateStoryline(shortLived).steps},
    };
    for (const Instance &instance : instances)
        run(instance, runs);
    return 0;
}
