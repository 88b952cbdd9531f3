#include "characters/PaletteFile.h"
// TODO(palette): implementation pending
bool loadPalette(const QString &, QVector<QColor> &) { return false; }
bool savePalette(const QString &, const CharacterList &) { return false; }
QString paletteText(const CharacterList &) { return QString(); }
void applyPalette(CharacterList &, const QVector<QColor> &) {}
