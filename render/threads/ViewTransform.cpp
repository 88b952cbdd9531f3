#include "threads/ViewTransform.h"

#include "threads/ViewState.h"

#include <QVector3D>

#include <algorithm>
#include <cmath>

namespace ViewTransform {

namespace {

// The distance the view starts at; the zoom factor is 1 there.
constexpr float startDistance = 26.0f;
// A drag far enough to reach distance 0 would zoom without bound; the factor stops here.
constexpr float zoomLimit = 1000.0f;

float zoomFactor(const ViewState &state)
{
    const float zoom = std::pow(state.viewOffset[2] / startDistance, -2.0f);
    return std::isfinite(zoom) ? std::clamp(zoom, 1.0f / zoomLimit, zoomLimit) : zoomLimit;
}

QMatrix4x4 orthographic(float left, float right, float bottom, float top)
{
    QMatrix4x4 matrix;
    matrix.ortho(left, right, bottom, top, -10.0f, 10.0f);
    return matrix;
}

} // namespace

QMatrix4x4 graphProjection(float graphHeight)
{
    const float half = graphHeight / 2.0f;
    return orthographic(-10.0f, 10.0f, -half, half);
}

QMatrix4x4 panAndZoom(const ViewState &state)
{
    const float zoom = zoomFactor(state);
    QMatrix4x4 matrix;
    matrix.translate(state.viewOffset[0], state.viewOffset[1], 0.0f);
    matrix.scale(zoom, zoom, 1.0f);
    return matrix;
}

QMatrix4x4 rotation(const ViewState &state)
{
    QMatrix4x4 matrix;
    matrix.rotate(state.rotation[0], 0.0f, 1.0f, 0.0f);
    matrix.rotate(state.rotation[1], 1.0f, 0.0f, 0.0f);
    matrix.rotate(state.rotation[2], 0.0f, 0.0f, 1.0f);
    return matrix;
}

QMatrix4x4 threadModelView(const ViewState &state)
{
    if (state.drawMode == ViewState::ConvergenceGraph)
        return rotation(state) * panAndZoom(state);
    return panAndZoom(state) * rotation(state);
}

QMatrix4x4 increasingProjection(float graphHeight, bool flip)
{
    const float half = graphHeight / 2.0f;
    return flip ? orthographic(-half, half, 0.0f, 1.0f) : orthographic(0.0f, 1.0f, -half, half);
}

QMatrix4x4 increasingModelView(const ViewState &state, float graphHeight)
{
    // The other modes span 20 units across and graphHeight up the view.
    const float across = state.flipAxis ? graphHeight : 1.0f;
    const float up = state.flipAxis ? 1.0f : graphHeight;
    const QVector3D middle(state.flipAxis ? 0.0f : 0.5f, state.flipAxis ? 0.5f : 0.0f, 0.0f);
    const QVector3D pan(state.viewOffset[0] / 20.0f * across,
                        state.viewOffset[1] / graphHeight * up, 0.0f);
    const float zoom = zoomFactor(state);
    QMatrix4x4 matrix;
    matrix.translate(middle + pan);
    matrix.scale(zoom, zoom, 1.0f);
    matrix.translate(-middle);
    return matrix;
}

QPointF toViewport(const QMatrix4x4 &transform, const QVector3D &point, int width, int height)
{
    const QVector3D device = transform.map(point);
    return {(device.x() + 1.0f) / 2.0f * float(width), (1.0f - device.y()) / 2.0f * float(height)};
}

} // namespace ViewTransform
