#pragma once

#include <QString>

#include <vector>

class TimeIndexVector;

// One row of the character statistics, from the scene counters of one index character.
struct CharacterStatistics
{
    qint32 numScenes = 0;
    qint32 numDialogueLines = 0;
    float perInvolved = 0.0f; // summed length of the scenes it is in
    float startTime = -1.0f;  // start of its first scene; -1 when it is in none
    // Where its last run ends: the start of the first scene without it after that run, or the
    // end of the last scene when it is there to the end; -1 when it is in none.
    float stopTime = -1.0f;
};

// One row per index character, in the index's order.
std::vector<CharacterStatistics> characterStatistics(const TimeIndexVector &index);
// The CSV texts of the statistics export.
QString characterStatsCsv(const TimeIndexVector &index);
QString sceneStatsCsv(const TimeIndexVector &index, int lineCount);
// Write the CSV files; false when the file cannot be written.
// When a file cannot be written, `reason` (when given) says why.
bool writeCharacterStats(const QString &path, const TimeIndexVector &index,
                         QString *reason = nullptr);
bool writeSceneStats(const QString &path, const TimeIndexVector &index, int lineCount,
                     QString *reason = nullptr);
