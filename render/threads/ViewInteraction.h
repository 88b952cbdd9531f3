#pragma once

#include "characters/Character.h"

#include <QString>
#include <Qt>

// The thread view's input rules, kept apart from the widget so they can be checked
// without a display.
namespace ViewInteraction {

// The index of the character whose name words equal the words of `text` (split at single
// blanks, exact and case-sensitive; a trailing blank is ignored). The last match wins;
// -1 when nothing matches.
int selectByText(const CharacterList &characters, const QString &text);

// The next multiple of 90 degrees to the right / left of `angle`. The quotient is taken
// in integers, truncated toward zero, so from -45 both buttons first reach 0 +/- 90.
float spinRightTarget(float angle);
float spinLeftTarget(float angle);

// One frame of turning `rotation` towards `target`: the step grows by one degree per
// frame and the rotation snaps to the target once it is closer than two degrees.
void turnStep(float rotation[3], const float target[3], float &spinSpeed);

// The character index a key selects: its text read as a decimal number, 0 otherwise.
int indexFromKeyText(const QString &keyText);

// A drag of (dx, dy) pixels with `button` held: the right button zooms, the middle one
// pans vertically, the left one turns about the vertical axis. Any drag also stops a
// turn in progress (the target becomes the current rotation).
void applyDrag(Qt::MouseButton button, int dx, int dy, float viewOffset[3], float rotation[3],
               float targetRotation[3]);

// A turn of the wheel by `notches` (positive away from the user, as a wheel zooms in): each
// notch brings the view a tenth closer, or the other way a tenth further. The distance is
// scaled, never crossing 0, so the zoom stays finite and turns back exactly.
void applyWheel(float notches, float viewOffset[3]);

// The part of the screenplay the text view shows, as a fraction 0..1 for the reading
// grid: value / maximum of its scroll bar, or 0 (the top) when it cannot scroll.
float readingFraction(int scrollValue, int scrollMaximum);

} // namespace ViewInteraction
