#pragma once

#include <QString>

struct Analysis;

// What a scene of the analysis is called where it begins: the heading line of a typed
// screenplay (the words of the line that opened it), a sessions file's step as written, or
// for the part before the first heading and for time-coded scenes the scene's type. Empty for
// a scene the index does not have.
QString sceneTitle(const Analysis &analysis, int scene);
