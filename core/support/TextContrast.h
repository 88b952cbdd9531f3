#pragma once

class QColor;

// Legible text on coloured backgrounds, by the contrast ratio of the Web Content
// Accessibility Guidelines: (L1 + 0.05) / (L2 + 0.05) of the lighter and the darker colour's
// relative luminance, from 1 (none) to 21 (black on white). Body text needs 4.5.
namespace TextContrast {

constexpr double readableRatio = 4.5;

// 0 for black to 1 for white, from the colour's sRGB components (alpha is ignored).
double relativeLuminance(const QColor &color);
double contrastRatio(const QColor &first, const QColor &second);
// Black or white, whichever stands out more from `background`. Either reaches at least 4.58
// on any colour, so the text is always readable.
QColor readableTextColor(const QColor &background);

} // namespace TextContrast
