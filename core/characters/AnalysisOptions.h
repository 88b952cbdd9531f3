#pragma once

#include <QtGlobal>

// The values that steer the analysis; persisted in config.txt.
struct AnalysisOptions
{
    bool findCharacters = true;
    bool looseMatch = false;
    bool caseSensitive = false;
    qint32 minCharacterSpaces = 15;
    qint32 minCharacterInstances = 0;
    qint32 numberSteps = 100;
    // A cue's extensions ("(V.O.)", "(CONT'D)", a dual-dialogue "^") belong to the name
    // before them, so every variant is one character.
    bool mergeCueExtensions = false;
    // A multi-word name counts only where all its words stand one after another.
    bool wholeNameMatch = false;
    // Not an option of config.txt: set for each file, true when its lines are a typed
    // screenplay (plain text), whose title page and title cards stand where cues do.
    bool typedText = false;
};
