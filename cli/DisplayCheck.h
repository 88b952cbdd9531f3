#pragma once

#include <QString>

struct xcb_connection_t;

// Whether a GUI application can be created here. Qt ends the process when it cannot reach
// the X display, so the command line asks first and can then say so clearly.
//
// The probe keeps its connection open while it lives: an X server that resets when its last
// client leaves (Xvfb does by default) would otherwise refuse connections during the reset
// between this probe and Qt's own connection. Keep the probe until the application exists.
class DisplayProbe
{
public:
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe &) = delete;
    DisplayProbe &operator=(const DisplayProbe &) = delete;

    bool available() const { return reason_.isEmpty(); }
    // Why no application can be created; empty when one can.
    QString reason() const { return reason_; }

private:
    xcb_connection_t *connection_ = nullptr;
    QString reason_;
};
