#pragma once

#include "characters/Character.h"
#include "support/SettingsRead.h"

#include <QColor>
#include <QString>
#include <QVector>

// Colour files: one "R G B" line per colour. A component that is no number reads 0 and one
// outside 0-255 the nearest end, with a warning; a line of fewer than three is skipped.
SettingsRead loadPalette(const QString &path, QVector<QColor> &palette);
// Writes the colours of the characters (not of the palette), one line each; when it cannot,
// `reason` (when given) says why.
bool savePalette(const QString &path, const CharacterList &characters, QString *reason = nullptr);
QString paletteText(const CharacterList &characters);
// "Load Colors...": character i takes palette entry i, or the last one; forced characters
// too. An empty palette keeps every colour.
void applyPalette(CharacterList &characters, const QVector<QColor> &palette);
