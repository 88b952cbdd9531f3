#pragma once

#include <QColor>
#include <QStringList>

// The opaque colour of the first three of `components` ("R", "G", "B" in decimal). A component
// that is no number reads 0 and one outside 0-255 the nearest end; each such one adds a
// sentence to `problems` saying what it was read as.
QColor colorFromComponents(const QStringList &components, QStringList &problems);
