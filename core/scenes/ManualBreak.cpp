#include "scenes/ManualBreak.h"

#include <algorithm>
#include <cmath>

float manualBreakPosition(int scrollValue, int clickY, int contentsHeight)
{
    if (contentsHeight <= 0)
        return 0.0f;
    const float position = (static_cast<float>(scrollValue) + static_cast<float>(clickY)) /
                           static_cast<float>(contentsHeight);
    return std::isfinite(position) ? std::clamp(position, 0.0f, 1.0f) : 0.0f;
}
