// Times the thread view with NumberSteps 100 on a generated scene index of feature length
// (60 speakers, 150 scenes) and on the parsed generated screenplay: one simulation step
// alone, then one frame of each draw mode in a shown 800 x 600 view with the window's
// default check boxes.
// Usage: gui_frame_bench [FRAMES]   (frames per mode, default 30); run under a display.

#include "ScreenplayGenerator.h"

#include "views/GraphWidget.h"
#include "document/Analysis.h"
#include "threads/ThreadModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QWindow>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    while (clock.elapsed() < 5000 &&
           (widget.windowHandle() == nullptr || !widget.windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Frames drawn and shown back to back (repaint draws at once, as the redraw clock's update
// does later); glFinish makes the time include the rasterising.
double frameMs(GraphWidget &view, int mode, int frames)
{
    view.changeDrawMode(mode);
    view.repaint();
    QElapsedTimer timer;
    timer.start();
    for (int frame = 0; frame < frames; ++frame)
        view.repaint();
    view.makeCurrent();
    glFinish();
    return millisecondsSince(timer) / frames;
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
    double perMode[4] = {};
    for (int mode = 0; mode < 4; ++mode)
        perMode[mode] = frameMs(view, mode, frames);
    std::fflush(stdout);
    std::fprintf(stderr, "\n%s (%d characters, %d scenes, %d nodes, %d springs)\n", title,
                 static_cast<int>(index.characters.size()), static_cast<int>(index.scenes.size()),
                 static_cast<int>(view.threadModel().nodes().size()),
                 static_cast<int>(view.threadModel().springs().size()));
    std::fprintf(stderr, "  simulate           %.2f ms per step\n", simulate);
    for (int mode = 0; mode < 4; ++mode)
        std::fprintf(stderr, "  %-18s %.2f ms per frame\n", names[mode], perMode[mode]);
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
