#pragma once

#include "characters/Character.h"

#include <QString>
#include <QVector>

#include <vector>

// One scene of the index. Positions are fractions of the screenplay (line / number of
// lines), or times rescaled to 0..1 for time-coded screenplays.
struct Scene
{
    QVector<qint32> counts; // one counter per character of the index, same order
    float start = 0.0f;
    float end = 0.0f;
    QString type;
    QVector<qint32> pages; // the first entry is carried over from the previous scene
};

// The scene index of one parse. Its character list is a snapshot taken when the parse
// started; every Scene's counts has exactly one entry per snapshot character.
class TimeIndexVector
{
public:
    explicit TimeIndexVector(CharacterList characterSnapshot = {});

    CharacterList characters;
    std::vector<Scene> scenes;
    // Every scene holds one counter per character. Beyond this many counters in all the
    // table is not built (the scenes are still added, with empty counts) and `tooLarge`
    // says so, so that a pathological input is refused instead of exhausting memory.
    static constexpr qint64 maximumCounters = qint64(64) * 1024 * 1024;
    bool tooLarge = false;

    void addScene(float time, const QString &type);
    void countCharacter(int characterIndex);
    void addPage(int page);
    // Rescales starts and ends so the first start is 0 and the last end is 1. A span of 0
    // (or a non-finite one) maps every position to 0 rather than dividing by zero.
    void normalizeTimes();
};
