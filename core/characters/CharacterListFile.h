#pragma once

#include "characters/Character.h"
#include "support/SettingsRead.h"

#include <QString>

// characters.txt: "NAME WORDS, ALIAS, ALIAS : R G B" per line. A line without a name before
// "," or ":" adds its aliases and colour to the character before it. A line with nothing at
// all before ":", one with no character before it to extend, and a colour component that is
// no number or outside 0-255 are read with a warning.
SettingsRead loadCharacterList(const QString &path, CharacterList &includeCharacters);
// False when the file cannot be written; then `reason` (when given) says why.
bool saveCharacterList(const QString &path, const CharacterList &includeCharacters,
                       QString *reason = nullptr);
QString characterListText(const CharacterList &includeCharacters);
