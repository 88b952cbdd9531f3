#include "DisplayCheck.h"

#include <QByteArray>
#include <QThread>
#include <QtGlobal>

#include <xcb/xcb.h>

namespace {

// A server that is starting up or resetting refuses connections for a moment.
constexpr int connectAttempts = 5;
constexpr int retryPauseMs = 200;

xcb_connection_t *connectWithRetries(const QByteArray &display)
{
    for (int attempt = 1;; ++attempt) {
        xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
        if (xcb_connection_has_error(connection) == 0)
            return connection;
        xcb_disconnect(connection);
        if (attempt == connectAttempts)
            return nullptr;
        QThread::msleep(retryPauseMs);
    }
}

} // namespace

DisplayProbe::DisplayProbe()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return; // another platform was chosen on purpose; let Qt decide
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        reason_ = QStringLiteral("no display: OpenGL needs one (set DISPLAY, or run under "
                                 "xvfb-run)");
        return;
    }
    connection_ = connectWithRetries(display);
    if (!connection_)
        reason_ = QStringLiteral("cannot open display %1: OpenGL needs one (run under xvfb-run)")
                      .arg(QString::fromLocal8Bit(display));
}

DisplayProbe::~DisplayProbe()
{
    if (connection_)
        xcb_disconnect(connection_);
}
