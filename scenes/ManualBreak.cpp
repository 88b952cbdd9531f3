#include "scenes/ManualBreak.h"

#include <cmath>

float manualBreakPosition(int scrollValue, int scrollMaximum, int clickY, int contentsHeight,
                          int viewHeight)
{
    // Every step is rounded to float, as the position is stored and compared as a float.
    const float scrolled = scrollMaximum > 0
                               ? static_cast<float>(scrollValue) / static_cast<float>(scrollMaximum)
                               : 0.0f;
    float clicked = 0.0f;
    float visible = 0.0f;
    if (contentsHeight > 0) {
        const float height = static_cast<float>(contentsHeight);
        clicked = static_cast<float>(clickY) / height;
        visible = static_cast<float>(viewHeight) / height;
    }
    const float denominator = visible + 1.0f;
    if (denominator == 0.0f) // only for a view height of minus the contents height
        return 0.0f;
    const float position = (scrolled + clicked) / denominator;
    return std::isfinite(position) ? position : 0.0f;
}
