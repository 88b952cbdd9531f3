// Times the thread view with NumberSteps 100 on a generated scene index of feature length
// (60 speakers, 150 scenes) and on the parsed generated screenplay: one simulation step
// alone, then the frames of each draw mode in a shown 800 x 600 view with the window's
// default check boxes, from the paint to the swap. "still" frames show the settled layout
// unchanged, and "redrawn" frames show it too but draw it afresh each time; in the two modes that
// turn, "turning" frames each turn the view one step and "settling" frames ("Force Directed" only)
// each follow one step of the layout from its start, the layout as first built. Neither that step
// nor the view's own layout clock is timed. Each figure is the wall time per frame and the
// processor time of all the process's threads (the software rasteriser's among them), which a busy
// machine disturbs less. Usage: gui_frame_bench [FRAMES]   (frames per mode, default 30); run under
// a display.

#include "ScreenplayGenerator.h"

#include "document/Analysis.h"
#include "threads/ThreadModel.h"
#include "views/GraphWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

constexpr float stepOf100 = 1.0f / 100;

// 60 speakers over 150 scenes of equal length; each scene has a handful of speakers, the
// leads more often. A fixed linear congruential sequence, independent of rand().
std::unique_ptr<TimeIndexVector> generatedIndex()
{
    constexpr int characterCount = 60;
    constexpr int sceneCount = 150;
    CharacterList characters;
    for (int c = 0; c < characterCount; ++c)
        characters.push_back(
            std::make_shared<Character>(QStringList{QStringLiteral("C%1").arg(c)}));
    auto index = std::make_unique<TimeIndexVector>(characters);
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int s = 0; s < sceneCount; ++s) {
        index->addScene(static_cast<float>(s) / sceneCount, QStringLiteral("INT"));
        const int speakers = 2 + static_cast<int>(next() % 5);
        for (int k = 0; k < speakers; ++k) {
            const int c = static_cast<int>(next() % (next() % 2 == 0 ? 8 : characterCount));
            index->countCharacter(c);
        }
    }
    index->scenes.back().end = 1.0f;
    return index;
}

double millisecondsSince(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
}

double simulateMs(const TimeIndexVector &index, int steps)
{
    ThreadModel model;
    model.buildThreads(&index, stepOf100);
    model.simulate(0.016f, -1, true); // warm-up
    QElapsedTimer timer;
    timer.start();
    for (int step = 0; step < steps; ++step)
        model.simulate(0.016f, -1, true);
    return millisecondsSince(timer) / steps;
}

void waitUntilExposed(QWidget &widget)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000 &&
           (widget.windowHandle() == nullptr || !widget.windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1.0e3 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// One frame as the window shows it: the update is painted and composed by the event loop,
// and the frame counts once it is swapped.
void drawFrame(GraphWidget &view)
{
    bool swapped = false;
    const QMetaObject::Connection connection =
        QObject::connect(&view, &QOpenGLWidget::frameSwapped, [&swapped] { swapped = true; });
    view.update();
    QElapsedTimer clock;
    clock.start();
    while (!swapped && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QObject::disconnect(connection);
}

struct FrameTime
{
    double wallMs = 0.0;
    double processorMs = 0.0;
};

// `frames` frames, each after `beforeFrame` (which is not timed).
template<typename BeforeFrame>
FrameTime timeFrames(GraphWidget &view, int frames, BeforeFrame beforeFrame)
{
    FrameTime total;
    for (int frame = 0; frame < frames; ++frame) {
        beforeFrame();
        QElapsedTimer timer;
        timer.start();
        const double processor = processorMs();
        drawFrame(view);
        total.wallMs += millisecondsSince(timer);
        total.processorMs += processorMs() - processor;
    }
    return {total.wallMs / frames, total.processorMs / frames};
}

struct ModeTimes
{
    FrameTime still;
    FrameTime redrawn;
    FrameTime turning;
    FrameTime settling;
};

ModeTimes modeTimes(GraphWidget &view, int mode, int frames)
{
    view.changeDrawMode(mode);
    view.settleLayout();
    drawFrame(view);
    ModeTimes times;
    times.still = timeFrames(view, frames, [] {});
    // Panned by a hair to and fro: the same picture, drawn afresh every frame.
    ViewState &pan = view.viewState();
    int redraws = 0;
    times.redrawn = timeFrames(view, frames,
                               [&pan, &redraws] { pan.viewOffset[0] = (++redraws % 2) * 1.0e-4f; });
    pan.viewOffset[0] = 0.0f;
    if (mode == 0 || mode == 2) {
        view.spinRight(); // a quarter turn, one degree a frame
        times.turning = timeFrames(view, frames, [] {});
        ViewState &state = view.viewState();
        std::fill(std::begin(state.rotation), std::end(state.rotation), 0.0f);
        std::fill(std::begin(state.targetRotation), std::end(state.targetRotation), 0.0f);
    }
    if (mode == 0) {
        // The view's own layout clock is held, so that only the drawing is timed.
        view.reset();
        view.holdLayout(true);
        times.settling = timeFrames(view, frames, [&view] { view.settleLayout(1); });
        view.holdLayout(false);
    }
    return times;
}

void printTime(const char *name, const char *kind, const FrameTime &time)
{
    std::fprintf(stderr, "  %-18s %-9s %8.2f ms per frame %8.2f ms processor\n", name, kind,
                 time.wallMs, time.processorMs);
}

void report(const char *title, const TimeIndexVector &index, int frames)
{
    std::printf("%s: %d characters, %d scenes\n", title, static_cast<int>(index.characters.size()),
                static_cast<int>(index.scenes.size()));
    const double simulate = simulateMs(index, 200);

    GraphWidget view;
    view.setMoveToPlane(true);
    view.setFlipAxis(true);
    view.setFixedSize(800, 600);
    view.show();
    waitUntilExposed(view);
    view.buildThreads(const_cast<TimeIndexVector *>(&index), stepOf100);

    const char *names[] = {"Force Directed", "Color Weaving", "Convergence Graph",
                           "Increasing Graph"};
    ModeTimes perMode[4];
    for (int mode = 0; mode < 4; ++mode)
        perMode[mode] = modeTimes(view, mode, frames);
    std::fflush(stdout);
    std::fprintf(stderr, "\n%s (%d characters, %d scenes, %d nodes, %d springs)\n", title,
                 static_cast<int>(index.characters.size()), static_cast<int>(index.scenes.size()),
                 static_cast<int>(view.threadModel().nodes().size()),
                 static_cast<int>(view.threadModel().springs().size()));
    std::fprintf(stderr, "  simulate           %.2f ms per step\n", simulate);
    for (int mode = 0; mode < 4; ++mode) {
        printTime(names[mode], "still", perMode[mode].still);
        printTime(names[mode], "redrawn", perMode[mode].redrawn);
        if (mode == 0 || mode == 2)
            printTime(names[mode], "turning", perMode[mode].turning);
        if (mode == 0)
            printTime(names[mode], "settling", perMode[mode].settling);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const auto generated = generatedIndex();
    report("generated index", *generated, frames);
    const std::shared_ptr<const Analysis> parsed = parsedGeneratedScreenplay(1);
    const Analysis &document = *parsed;
    report("parsed generated screenplay", *document.timeIndex, frames);
    return 0;
}
