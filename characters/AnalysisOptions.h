#pragma once

#include <QtGlobal>

// The six values that steer the analysis; persisted in config.txt.
struct AnalysisOptions
{
    bool findCharacters = true;
    bool looseMatch = false;
    bool caseSensitive = false;
    qint32 minCharacterSpaces = 15;
    qint32 minCharacterInstances = 0;
    qint32 numberSteps = 100;
};
