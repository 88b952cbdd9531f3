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

float manualBreakAtLine(int line, int lineCount)
{
    if (lineCount <= 0)
        return 0.0f;
    const int kept = std::clamp(line, 0, lineCount - 1);
    return static_cast<float>(kept) / static_cast<float>(lineCount);
}
