#include "app/textVis.h"

#include <QScreen>

namespace {

// The share of the screen's free area the window takes at most when it opens.
constexpr double screenShare = 0.9;

} // namespace

// The form's size where the screen has room for it, else 90 % of what the screen leaves
// free (never below the smallest size that shows every control), in the middle of it.
void textVis::fitToScreen()
{
    const QScreen *display = screen();
    if (display == nullptr)
        return;
    const QRect available = display->availableGeometry();
    const QSize most(int(available.width() * screenShare), int(available.height() * screenShare));
    resize(size().boundedTo(most).expandedTo(minimumSizeHint()));
    move(available.center() - QPoint(width() / 2, height() / 2));
}
