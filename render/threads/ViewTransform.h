#pragma once

#include <QMatrix4x4>
#include <QPointF>

class QVector3D;
struct ViewState;

// Where the draw modes put the model in the view: the projection and model-view matrices the
// renderer loads, so that what is drawn and what the pointer finds agree. At rest (no pan,
// zoom or turn) every model-view is the identity.
namespace ViewTransform {

// x from -10 to 10 across the view, the graph's height (time) up it, depth from -10 to 10.
QMatrix4x4 graphProjection(float graphHeight);
// The pan by viewOffset[0] and viewOffset[1], then the zoom (viewOffset[2] / 26)^-2 about
// the origin, which is 1 at the starting distance of -26.
QMatrix4x4 panAndZoom(const ViewState &state);
// The turn by rotation[0], [1] and [2] degrees about the y, x and z axes.
QMatrix4x4 rotation(const ViewState &state);
// The threads' model-view: panned and zoomed, then turned in Force Directed; turned, then
// panned and zoomed in Convergence Graph. The scene bands and Color Weaving take panAndZoom.
QMatrix4x4 threadModelView(const ViewState &state);

// The Increasing Graph: values 0..1 across and time down the view, or time across and the
// values up it when the axis is flipped.
QMatrix4x4 increasingProjection(float graphHeight, bool flip);
// Its pan and zoom, about the middle of the chart. The pan moves it by as large a share of
// the view as in the other modes.
QMatrix4x4 increasingModelView(const ViewState &state, float graphHeight);

// A point taken through `transform` (projection times model-view), in pixels of a viewport
// of width by height, from its top left corner.
QPointF toViewport(const QMatrix4x4 &transform, const QVector3D &point, int width, int height);

} // namespace ViewTransform
