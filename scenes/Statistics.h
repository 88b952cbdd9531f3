#pragma once

#include <QString>

class TimeIndexVector;

// Fills numScenes, numDialogueLines, perInvolved, startTime and stopTime of every index
// character from the scene counters.
// The fields live in the shared character records, so a const index still updates them.
void computeCharacterStats(const TimeIndexVector &index);
// The CSV texts of the statistics export (computeCharacterStats is run first).
QString characterStatsCsv(const TimeIndexVector &index);
QString sceneStatsCsv(const TimeIndexVector &index, int lineCount);
// Write the CSV files; false when the file cannot be written.
// When a file cannot be written, `reason` (when given) says why.
bool writeCharacterStats(const QString &path, const TimeIndexVector &index,
                         QString *reason = nullptr);
bool writeSceneStats(const QString &path, const TimeIndexVector &index, int lineCount,
                     QString *reason = nullptr);
