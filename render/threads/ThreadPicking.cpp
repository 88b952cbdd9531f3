#include "threads/ThreadPicking.h"

#include "threads/RunningTotal.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"
#include "threads/ViewTransform.h"

#include <QLineF>
#include <QVector3D>

#include <limits>
#include <vector>

namespace ThreadPicking {

namespace {

float distanceToSegment(const QPointF &point, const QPointF &from, const QPointF &to)
{
    const QPointF along = to - from;
    const qreal lengthSquared = QPointF::dotProduct(along, along);
    qreal t = lengthSquared > 0.0 ? QPointF::dotProduct(point - from, along) / lengthSquared : 0.0;
    t = qBound(0.0, t, 1.0);
    return float(QLineF(point, from + along * t).length());
}

// Finds, thread by thread, the nearest of the segments it is drawn with.
class NearestThread
{
public:
    NearestThread(const QPointF &pixel, float tolerance, int pinned)
        : m_pixel(pixel)
        , m_tolerance(tolerance)
        , m_pinned(pinned)
    {
    }

    void addSegment(int thread, const QPointF &from, const QPointF &to)
    {
        const float distance = distanceToSegment(m_pixel, from, to);
        if (distance > m_tolerance)
            return;
        if (thread == m_pinned)
            m_pinnedFound = true;
        if (distance < m_nearestDistance) {
            m_nearestDistance = distance;
            m_nearest = thread;
        }
    }
    int found() const { return m_pinnedFound ? m_pinned : m_nearest; }

private:
    QPointF m_pixel;
    float m_tolerance;
    int m_pinned;
    bool m_pinnedFound = false;
    int m_nearest = -1;
    float m_nearestDistance = std::numeric_limits<float>::max();
};

QVector3D toVector(const Vec3 &v)
{
    return {v.x, v.y, v.z};
}

// The fibres run between neighbouring nodes that are both shown.
void addThreadSegments(const ThreadModel &model, const ViewState &state, NearestThread &nearest)
{
    const QMatrix4x4 transform =
        ViewTransform::graphProjection(model.graphHeight) * ViewTransform::threadModelView(state);
    const std::vector<ThreadNode> &nodes = model.nodes();
    const std::vector<Thread> &threads = model.threads();
    std::vector<QPointF> onScreen;
    for (int t = 0; t < int(threads.size()); ++t) {
        const std::vector<int> &path = threads[size_t(t)].nodes;
        onScreen.clear();
        for (const int node : path)
            onScreen.push_back(ViewTransform::toViewport(transform, toVector(nodes[node].position),
                                                         state.viewportWidth,
                                                         state.viewportHeight));
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            if (nodes[path[i]].presence > 0.0f && nodes[path[i + 1]].presence > 0.0f)
                nearest.addSegment(t, onScreen[i], onScreen[i + 1]);
        }
    }
}

// Each character's line of the Increasing Graph rises by its running total's step over
// every scene.
void addRunningTotalSegments(const ThreadModel &model, const ViewState &state,
                             NearestThread &nearest)
{
    const float height = model.graphHeight;
    const QMatrix4x4 transform = ViewTransform::increasingProjection(height, state.flipAxis) *
                                 ViewTransform::increasingModelView(state, height);
    const auto toScreen = [&](float value, float time) {
        const QVector3D point =
            state.flipAxis ? QVector3D(-time, value, 0.0f) : QVector3D(value, time, 0.0f);
        return ViewTransform::toViewport(transform, point, state.viewportWidth,
                                         state.viewportHeight);
    };
    for (int c = 0; c < model.characterCount(); ++c) {
        float total = 0.0f;
        for (const Scene &scene : model.timeIndex()->scenes) {
            const float before = total;
            total += runningTotalStep(scene, c);
            nearest.addSegment(c, toScreen(before, (0.5f - scene.start) * height),
                               toScreen(total, (0.5f - scene.end) * height));
        }
    }
}

} // namespace

int threadAt(const ThreadModel &model, const ViewState &state, const QPointF &pixel,
             float tolerance)
{
    if (!model.graphReady() || model.timeIndex() == nullptr || state.viewportWidth <= 0 ||
        state.viewportHeight <= 0)
        return -1;
    NearestThread nearest(pixel, tolerance, state.selectedIndex);
    switch (state.drawMode) {
    case ViewState::ColorWeaving:
        return -1;
    case ViewState::IncreasingGraph:
        addRunningTotalSegments(model, state, nearest);
        break;
    default:
        addThreadSegments(model, state, nearest);
        break;
    }
    return nearest.found();
}

} // namespace ThreadPicking
