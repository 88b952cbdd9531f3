#pragma once

#include <QColor>

#include <vector>

// The colours of a storyline's lines. A forced colour is kept, and so is any other colour that
// no line before it has (or one too like it: a palette runs out into one repeated grey, and
// two lines of one colour cannot be told apart); the others get hues of their own, as far from
// the colours in use as can be. `colors` and `forced` hold one entry per character.
std::vector<QColor> distinctLineColors(const std::vector<QColor> &colors,
                                       const std::vector<bool> &forced);
