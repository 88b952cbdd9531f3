#include "characters/CharacterListFile.h"
// TODO(character lists): implementation pending
bool loadCharacterList(const QString &, CharacterList &) { return false; }
bool saveCharacterList(const QString &, const CharacterList &) { return false; }
QString characterListText(const CharacterList &) { return QString(); }
