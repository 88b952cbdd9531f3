#pragma once

#include "characters/Character.h"

#include <QString>

// characters.txt: "NAME WORDS, ALIAS, ALIAS : R G B" per line.
bool loadCharacterList(const QString &path, CharacterList &includeCharacters);
// False when the file cannot be written; then `reason` (when given) says why.
bool saveCharacterList(const QString &path, const CharacterList &includeCharacters,
                       QString *reason = nullptr);
QString characterListText(const CharacterList &includeCharacters);
