#pragma once

#include "characters/Character.h"

#include <QString>

// characters.txt: "NAME WORDS, ALIAS, ALIAS : R G B" per line.
bool loadCharacterList(const QString &path, CharacterList &includeCharacters);
bool saveCharacterList(const QString &path, const CharacterList &includeCharacters);
QString characterListText(const CharacterList &includeCharacters);
