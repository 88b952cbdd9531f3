#include "threads/ThreadGeometry.h"

#include "scenes/TimeIndexVector.h"
#include "support/Random15.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <QColor>

#include <array>
#include <cmath>

namespace ThreadGeometry {

namespace {

constexpr int strandCount = 2000;

std::array<float, 3> rgbOf(const QColor *color)
{
    if (color == nullptr)
        return {0.0f, 0.0f, 0.0f};
    return {static_cast<float>(color->redF()), static_cast<float>(color->greenF()),
            static_cast<float>(color->blueF())};
}

// One strand through the visible stretches of a thread, offset radially by a random
// amount in a fixed direction. A vertex is emitted for node i only when nodes i and i + 1
// are both visible; the final node of the thread closes the last stretch.
void addStrand(VertexData &strands, const ThreadModel &model, const Thread &thread,
               const std::array<float, 3> &rgb, const ViewState &state)
{
    const std::vector<ThreadNode> &nodes = model.nodes();
    const float angle = static_cast<float>(Random15::draw15()) * 6.283f / Random15::maximum15;
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    const int n = static_cast<int>(thread.nodes.size());
    strands.beginStrip();
    bool open = true;
    for (int i = 0; i + 1 < n; ++i) {
        const ThreadNode &r = nodes[thread.nodes[i]];
        const ThreadNode &s = nodes[thread.nodes[i + 1]];
        if (r.presence > 0.0f && s.presence > 0.0f) {
            if (!open) {
                strands.beginStrip();
                open = true;
            }
            const float width =
                r.presence > 0.75f ? state.activeThreadSize : state.inactiveThreadSize;
            const float radius =
                static_cast<float>(Random15::draw15()) * (width * 0.1f) / Random15::maximum15;
            const Vec3 offset{cosine * radius, 0.0f, sine * radius};
            strands.add(r.position + offset, rgb.data(), state.threadTransparency * r.presence);
            if (i + 2 == n)
                strands.add(s.position + offset, rgb.data(), state.threadTransparency * s.presence);
        } else if (open) {
            strands.endStrip();
            open = false;
        }
    }
    if (open)
        strands.endStrip();
}

VertexData buildReadingGrid()
{
    VertexData grid;
    const float black[4] = {0.0f, 0.0f, 0.0f, 0.5f};
    for (int i = 0; i <= 10; ++i) {
        const float c = static_cast<float>(i) / 10.0f * 2.0f - 1.0f;
        grid.add(c, 0.0f, -1.0f, black);
        grid.add(c, 0.0f, 1.0f, black);
        grid.add(-1.0f, 0.0f, c, black);
        grid.add(1.0f, 0.0f, c, black);
    }
    return grid;
}

} // namespace

VertexData sceneBands(const ThreadModel &model)
{
    VertexData bands;
    if (model.timeIndex() == nullptr)
        return bands;
    const float height = model.graphHeight;
    const std::vector<Scene> &scenes = model.timeIndex()->scenes;
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const float grey = i % 2 == 0 ? 0.8f : 0.9f;
        const float color[4] = {grey, grey, grey, 1.0f};
        const float a = (0.5f - scenes[i].start) * height;
        const float b = (0.5f - scenes[i].end) * height;
        bands.add(-1000.0f, a, 0.0f, color);
        bands.add(1000.0f, a, 0.0f, color);
        bands.add(1000.0f, b, 0.0f, color);
        bands.add(-1000.0f, b, 0.0f, color);
    }
    return bands;
}

VertexData sceneLinks(const ThreadModel &model)
{
    VertexData links;
    const std::vector<ThreadNode> &nodes = model.nodes();
    for (const Spring &spring : model.springs()) {
        const ThreadNode &first = nodes[spring.first];
        if (!spring.sceneLink || first.presence <= 0.75f)
            continue;
        const ThreadNode &second = nodes[spring.second];
        const Vec3 middle = (first.position + second.position) * 0.5f;
        const std::array<float, 3> firstColor = rgbOf(first.color);
        const std::array<float, 3> secondColor = rgbOf(second.color);
        links.add(first.position, firstColor.data(), 1.0f);
        links.add(middle, firstColor.data(), 1.0f);
        links.add(middle, secondColor.data(), 1.0f);
        links.add(second.position, secondColor.data(), 1.0f);
    }
    return links;
}

VertexData threadStrands(const ThreadModel &model, const ViewState &state)
{
    VertexData strands;
    Random15::seed(1);
    const std::vector<Thread> &threads = model.threads();
    if (threads.empty())
        return strands;
    std::vector<std::array<float, 3>> colors;
    colors.reserve(threads.size());
    for (const Thread &thread : threads) {
        const QColor color = thread.character ? thread.character->color : QColor(Qt::black);
        colors.push_back(rgbOf(&color));
    }
    const int threadCount = static_cast<int>(threads.size());
    for (int strand = 0; strand < strandCount; ++strand) {
        const int pick = Random15::draw15() % threadCount;
        addStrand(strands, model, threads[pick], colors[pick], state);
    }
    return strands;
}

const VertexData &readingGrid()
{
    static const VertexData grid = buildReadingGrid();
    return grid;
}

} // namespace ThreadGeometry
