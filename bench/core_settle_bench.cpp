// How the thread view's layout settles on the parsed generated screenplay (NumberSteps 100):
// the layout steps it takes to settle and the time they take, and how far the settled
// layout lies from the uncooled simulation after 10 steps (the image the batch run used to
// draw) and after 600 steps (a minute of the window's old 100 ms frames), in pixels of a
// 550 x 815 view.
// Usage: core_settle_bench

#include "ScreenplayGenerator.h"

#include "document/Analysis.h"
#include "threads/LayoutStepper.h"
#include "threads/ThreadModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float pixelsPerUnit = 550.0f / 20.0f;

// How far the nodes lie from the axis in one coordinate, on average, in pixels.
double meanOffset(const ThreadModel &model, float Vec3::*coordinate)
{
    double sum = 0.0;
    for (const ThreadNode &node : model.nodes())
        sum += std::fabs(node.position.*coordinate);
    return sum / static_cast<double>(std::max<std::size_t>(model.nodes().size(), 1)) *
           pixelsPerUnit;
}

// Mean and largest distance between the nodes of two layouts of one model, in pixels.
void printDistance(const char *title, const ThreadModel &a, const ThreadModel &b)
{
    double sum = 0.0;
    float largest = 0.0f;
    const auto &nodesA = a.nodes();
    const auto &nodesB = b.nodes();
    for (std::size_t i = 0; i < nodesA.size(); ++i) {
        const float d = length(nodesA[i].position - nodesB[i].position) * pixelsPerUnit;
        sum += d;
        largest = std::max(largest, d);
    }
    std::printf("  spread (mean |x| / |z|): settled %.1f / %.1f px, the other %.1f / %.1f px\n",
                meanOffset(a, &Vec3::x), meanOffset(a, &Vec3::z), meanOffset(b, &Vec3::x),
                meanOffset(b, &Vec3::z));
    std::printf("  from %-34s mean %.1f px, largest %.1f px\n", title,
                sum / static_cast<double>(std::max<std::size_t>(nodesA.size(), 1)), largest);
}

ThreadModel uncooled(const TimeIndexVector &index, int steps, bool convergence)
{
    ThreadModel model;
    model.buildThreads(&index, 0.01f);
    for (int step = 0; step < steps; ++step) {
        model.simulate(LayoutStepper::stepTime, -1, true);
        if (convergence)
            model.placeConvergence(0.1f);
    }
    return model;
}

void report(const char *title, const TimeIndexVector &index, int mode)
{
    ThreadModel model;
    model.buildThreads(&index, 0.01f);
    LayoutStepper stepper;
    stepper.setSettings({mode, -1, true, 0.1f});
    QElapsedTimer timer;
    timer.start();
    const int steps = stepper.settle(model, LayoutStepper::settleStepLimit);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
    std::printf("%-18s %s after %d steps (%.0f ms of steps, %.2f ms a step), temperature %.3f\n",
                title, stepper.settled() ? "settled" : "still moving", steps, ms,
                ms / std::max(steps, 1), static_cast<double>(stepper.temperature()));
    const bool convergence = mode == 2;
    printDistance("10 uncooled steps (old image):", model, uncooled(index, 10, convergence));
    printDistance("600 uncooled steps (old minute):", model, uncooled(index, 600, convergence));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const std::shared_ptr<const Analysis> parsed = parsedGeneratedScreenplay(1);
    const Analysis &document = *parsed;
    std::printf("parsed generated screenplay: %d characters, %d scenes\n",
                static_cast<int>(document.timeIndex->characters.size()),
                static_cast<int>(document.timeIndex->scenes.size()));
    report("Force Directed", *document.timeIndex, 0);
    report("Convergence Graph", *document.timeIndex, 2);
    return 0;
}
