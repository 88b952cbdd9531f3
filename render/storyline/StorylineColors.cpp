#include "storyline/StorylineColors.h"

#include <algorithm>
#include <cmath>

namespace {

// Colours closer than this (in RGB, 0..255 per channel) count as the same line colour.
constexpr double sameColorDistance = 40.0;
// Hues tried for a line that needs one of its own: the golden angle apart, so that however
// many are taken each new one falls between those before.
constexpr double goldenAngle = 137.50776405;
constexpr int huesTried = 64;

double distance(const QColor &a, const QColor &b)
{
    const double red = a.red() - b.red();
    const double green = a.green() - b.green();
    const double blue = a.blue() - b.blue();
    return std::sqrt(red * red + green * green + blue * blue);
}

double nearest(const QColor &color, const std::vector<QColor> &taken)
{
    double closest = HUGE_VAL;
    for (const QColor &other : taken)
        closest = std::min(closest, distance(color, other));
    return closest;
}

// The candidate hue farthest from every colour taken; saturation and value alternate a little
// so that neighbouring hues still differ.
QColor freshColor(const std::vector<QColor> &taken, int &nextHue)
{
    QColor best;
    double bestDistance = -1.0;
    for (int i = 0; i < huesTried; ++i) {
        const int n = nextHue + i;
        const double hue = std::fmod(n * goldenAngle, 360.0) / 360.0;
        const QColor candidate =
            QColor::fromHsvF(hue, n % 2 == 0 ? 0.75 : 0.55, n % 3 == 0 ? 0.65 : 0.8);
        const double away = nearest(candidate, taken);
        if (away > bestDistance) {
            bestDistance = away;
            best = candidate;
        }
        if (away >= 2.0 * sameColorDistance)
            break;
    }
    ++nextHue;
    return best;
}

} // namespace

std::vector<QColor> distinctLineColors(const std::vector<QColor> &colors,
                                       const std::vector<bool> &forced)
{
    std::vector<QColor> result(colors.size());
    std::vector<QColor> taken;
    // Forced colours first: they are the user's, and the others keep clear of them.
    for (size_t i = 0; i < colors.size(); ++i) {
        if (forced[i]) {
            result[i] = colors[i];
            taken.push_back(colors[i]);
        }
    }
    // Then every colour that stands apart from those before it. The fresh hues come last, so
    // that they keep clear of all the colours kept, later lines' too: a fresh hue next to a
    // later line's own colour would take that colour from it.
    std::vector<bool> kept(colors.size(), false);
    for (size_t i = 0; i < colors.size(); ++i) {
        if (forced[i] || !colors[i].isValid() || nearest(colors[i], taken) < sameColorDistance)
            continue;
        kept[i] = true;
        result[i] = colors[i];
        taken.push_back(colors[i]);
    }
    int nextHue = 0;
    for (size_t i = 0; i < colors.size(); ++i) {
        if (forced[i] || kept[i])
            continue;
        result[i] = freshColor(taken, nextHue);
        taken.push_back(result[i]);
    }
    return result;
}
