#pragma once

#include <QString>

class TimeIndexVector;

// Writes a picture of the thread view of `index` without a window: the threads are laid
// out with the step 1 / numberSteps, `frames` frames of the draw mode (0 "Force Directed",
// 1 "Color Weaving", 2 "Convergence Graph", 3 "Increasing Graph") are simulated and
// drawn off-screen at width x height pixels, and the last one is saved to `path` (format
// by suffix, top row first). Needs a QGuiApplication whose platform can make an OpenGL
// context; returns false with a reason in `error` when it cannot, or when there is
// nothing to draw or the file cannot be written.
bool renderThreadImage(const TimeIndexVector &index, int numberSteps, int frames, int width,
                       int height, const QString &path, QString *error, int drawMode = 0);
