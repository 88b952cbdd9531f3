#pragma once

#include <QString>

class TimeIndexVector;

// The character-by-scene table that drama research works from: a header of scene numbers
// (as in the scene statistics), then one row per character of the index in index order, each
// cell that scene's counter for the character.
QString presenceMatrixCsv(const TimeIndexVector &index);
