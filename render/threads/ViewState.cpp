#include "threads/ViewState.h"

#include <algorithm>
#include <tuple>

namespace {

bool sameVector(const float (&a)[3], const float (&b)[3])
{
    return std::equal(a, a + 3, b);
}

} // namespace

bool operator==(const ViewState &a, const ViewState &b)
{
    const auto scalars = [](const ViewState &s) {
        return std::tie(s.drawMode, s.activeThreadSize, s.inactiveThreadSize, s.threadTransparency,
                        s.drawM, s.spinSpeed, s.selectedIndex, s.spheres, s.springs, s.drawGrid,
                        s.flipAxis, s.moveToPlane, s.drawNames, s.hasTextView, s.scrollValue,
                        s.scrollMaximum, s.viewportWidth, s.viewportHeight);
    };
    return scalars(a) == scalars(b) && sameVector(a.viewOffset, b.viewOffset) &&
           sameVector(a.rotation, b.rotation) && sameVector(a.targetRotation, b.targetRotation);
}
