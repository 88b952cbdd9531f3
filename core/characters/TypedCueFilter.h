#pragma once

#include <QStringList>
#include <QVector>

// Lines of a typed screenplay that stand at a cue's indent but name no speaker: those of a
// title page (before the page of the first scene heading, or before that heading when the
// lines above it hold a title, "Written by", a draft or a date), and lines that no dialogue
// or parenthetical follows (a title card, "THE END"). True for each such line. Lines without
// dialogue under them are kept out only where most cue lines have it, so a screenplay typed
// without indented dialogue keeps its cues.
QVector<bool> typedCuesKeptOut(const QStringList &lines, int minCharacterSpaces);
