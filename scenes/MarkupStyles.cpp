#include "scenes/MarkupStyles.h"
#include "characters/Character.h"
// TODO(markup): implementation pending
QString characterClassAttribute(const Character &c) { return c.characterClass(); }
QString characterSelector(const Character &c) { return QStringLiteral("span.") + c.characterClass(); }
std::vector<ElementStyle> markupElementStyles(const DocumentModel &) { return {}; }
QString sceneBackground(const DocumentModel &, int) { return QStringLiteral("#ffffff"); }
