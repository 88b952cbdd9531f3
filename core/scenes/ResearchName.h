#pragma once

#include <QString>

struct Character;
class TimeIndexVector;

// A character's name as the corpus tables write it: its words joined by single spaces, without
// the trailing blank of the statistics' display text, so that tables of different screenplays
// join on it.
QString researchName(const Character &character);

// How many scenes of the index count the character at `characterIndex` at least once.
int scenesWithCharacter(const TimeIndexVector &index, int characterIndex);

// The character's speaker lines: its counts over every scene of the index.
int speakerLines(const TimeIndexVector &index, int characterIndex);
