#pragma once

#include "characters/Character.h"

#include <QColor>
#include <QVector>

class AnalysisProgress;
struct DocumentModel;

// The character of `characters` with exactly these words, else the include character with
// them (then also appended to `characters`), else a new one appended to `characters`.
CharacterPtr findOrAddCharacter(DocumentModel &document, const QStringList &words);

// Speaker lines by their leading blanks, plus include characters anywhere; then filtered,
// sorted and coloured. Sets speakerIndent.
void discoverTextCharacters(DocumentModel &document, AnalysisProgress &progress);

// Names in the quoted field of time-coded records; then filtered, sorted and coloured.
void discoverCsvCharacters(DocumentModel &document, AnalysisProgress &progress);

// Palette entry i (or the last one), or evenly spread hues when the palette is empty;
// forced colours are kept.
void assignColors(CharacterList &characters, const QVector<QColor> &palette);
