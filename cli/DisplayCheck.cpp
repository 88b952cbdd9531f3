#include "cli/DisplayCheck.h"

#include <QByteArray>
#include <QtGlobal>

#include <xcb/xcb.h>

bool displayAvailable(QString *reason)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true; // another platform was chosen on purpose; let Qt decide
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        *reason = QStringLiteral("no display: OpenGL needs one (set DISPLAY, or run under "
                                 "xvfb-run)");
        return false;
    }
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable)
        *reason = QStringLiteral("cannot open display %1: OpenGL needs one (run under xvfb-run)")
                      .arg(QString::fromLocal8Bit(display));
    return reachable;
}
