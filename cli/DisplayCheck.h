#pragma once

#include <QString>

// Whether a GUI application can be created here. Qt ends the process when it cannot reach
// the X display, so the command line asks first and can then say so clearly.
bool displayAvailable(QString *reason);
