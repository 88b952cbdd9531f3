#pragma once

#include "scenes/TimeIndexVector.h"

// How far a character's running total in the Increasing Graph grows over one scene: the
// scene's length where the character is present, plus 0.0001 per count, so that even a
// scene of no length shows who speaks in it.
inline float runningTotalStep(const Scene &scene, int character)
{
    const int count = scene.counts.value(character);
    return (count != 0 ? scene.end - scene.start : 0.0f) + static_cast<float>(count) * 0.0001f;
}
