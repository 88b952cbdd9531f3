// How long the thread view's simulated layouts keep it redrawing on the parsed generated
// screenplay (NumberSteps 100, a 550 x 815 view): the frames until the view's redraw gate
// finds the layout at rest, what that is at 100 ms a frame, and the time the simulation
// steps themselves take. Also whether a step ever leaves every node exactly where it was.
// Usage: core_settle_bench [MAX_FRAMES]   (default 3000)

#include "ScreenplayGenerator.h"

#include "scenes/Analysis.h"
#include "view/RedrawGate.h"
#include "view/ThreadModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr float frameTime = 0.016f;
constexpr int viewWidth = 550;
constexpr int viewHeight = 815;

bool samePositions(const std::vector<ThreadNode> &a, const std::vector<ThreadNode> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ThreadNode &m, const ThreadNode &n) {
                          return m.position.x == n.position.x && m.position.y == n.position.y &&
                                 m.position.z == n.position.z;
                      });
}

void report(const char *title, const TimeIndexVector &index, bool convergence, int maxFrames)
{
    ThreadModel model;
    model.buildThreads(&index, 0.01f);
    RedrawGate gate;
    const FrameInputs inputs; // nothing but the layout changes between the frames
    const float rest = RedrawGate::restDistance(viewWidth, viewHeight, model.graphHeight);
    int exactFrame = -1;
    int frames = 0;
    QElapsedTimer timer;
    timer.start();
    while (frames < maxFrames && !gate.atRest()) {
        const std::vector<ThreadNode> before = model.nodes();
        model.simulate(frameTime, -1, true);
        if (convergence)
            model.placeConvergence(0.1f);
        gate.frameDrawn(inputs, model.nodes(), rest);
        ++frames;
        if (exactFrame < 0 && samePositions(before, model.nodes()))
            exactFrame = frames;
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
    if (gate.atRest())
        std::printf("%-18s at rest after %d frames (%.1f s at 100 ms a frame; %.0f ms of steps)",
                    title, frames, frames / 10.0, ms);
    else
        std::printf("%-18s still moving after %d frames (%.0f ms of steps)", title, frames, ms);
    std::printf("; first frame that moved nothing: %d\n", exactFrame);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int maxFrames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;
    const std::shared_ptr<const Analysis> parsed = parsedGeneratedScreenplay(1);
    const Analysis &document = *parsed;
    std::printf("parsed generated screenplay: %d characters, %d scenes\n",
                static_cast<int>(document.timeIndex->characters.size()),
                static_cast<int>(document.timeIndex->scenes.size()));
    report("Force Directed", *document.timeIndex, false, maxFrames);
    report("Convergence Graph", *document.timeIndex, true, maxFrames);
    return 0;
}
