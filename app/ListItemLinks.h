#pragma once

#include "characters/Character.h"

class QListWidget;
struct DocumentModel;

// Character::listItem points at a row of some list widget. Before a list is cleared or
// destroyed, every character that points into it must let go, or a later recolouring would
// write through a destroyed row. These compare addresses only and never touch the old rows.

// Clears listItem of each character whose row belongs to `list`.
void forgetListRows(const QListWidget &list, const CharacterList &characters);
// The same for every list of the document: characters, include characters and the index.
void forgetCharacterRows(const QListWidget &list, const DocumentModel &document);
