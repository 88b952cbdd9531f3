#pragma once

#include "characters/AnalysisOptions.h"
#include "characters/Character.h"

#include <QColor>
#include <QStringList>
#include <QVector>

struct StageProgress;

// What discovery finds: the ordered, coloured characters and the indent of their cues.
struct DiscoveredCharacters
{
    CharacterList characters;
    qint32 speakerIndent = 0;
};

// The character of `characters` with exactly these words, else the include character with
// them (then also appended to `characters`), else a new one appended to `characters`.
CharacterPtr findOrAddCharacter(CharacterList &characters, const CharacterList &includeCharacters,
                                const QStringList &words);

// Speaker lines by their leading blanks, plus include characters anywhere; then filtered,
// sorted and coloured from `palette`.
DiscoveredCharacters discoverTextCharacters(const QStringList &lines,
                                            const CharacterList &includeCharacters,
                                            const AnalysisOptions &options,
                                            const QVector<QColor> &palette,
                                            const StageProgress &progress);

// Names in the quoted field of time-coded records; then filtered, sorted and coloured.
DiscoveredCharacters discoverCsvCharacters(const QStringList &lines,
                                           const CharacterList &includeCharacters,
                                           const AnalysisOptions &options,
                                           const QVector<QColor> &palette,
                                           const StageProgress &progress);

// The names of a sessions file's groups, each counted once per step it is in; then sorted and
// coloured. Include characters give their forced colours.
DiscoveredCharacters discoverSessionsCharacters(const QStringList &lines,
                                                const CharacterList &includeCharacters,
                                                const QVector<QColor> &palette);

// Palette entry i (or the last one), or evenly spread hues when the palette is empty;
// forced colours are kept.
void assignColors(CharacterList &characters, const QVector<QColor> &palette);

// The forced colour of each include character goes to the character of `characters` with the
// same name, so a colour forced after discovery shows at the next parse.
void applyForcedColors(CharacterList &characters, const CharacterList &includeCharacters);
