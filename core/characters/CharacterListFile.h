#pragma once

#include "characters/Character.h"
#include "support/SettingsRead.h"

#include <QString>

// characters.txt: "NAME WORDS, ALIAS, ALIAS : R G B" per line. A line without a name before
// "," or ":" adds its aliases and colour to the character before it. A line with nothing at
// all before ":", one with no character before it to extend, and a colour component that is
// no number or outside 0-255 are read with a warning.
SettingsRead loadCharacterList(const QString &path, CharacterList &includeCharacters);
bool saveCharacterList(const QString &path, const CharacterList &includeCharacters);
QString characterListText(const CharacterList &includeCharacters);
