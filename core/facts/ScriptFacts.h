#pragma once

#include "characters/AnalysisOptions.h"
#include "facts/NetworkMeasures.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

struct Analysis;
class TimeIndexVector;

// One scene of the screenplay. The title page and what comes before the first scene heading
// (unless a speech stands there) are no scene, nor is a scene that holds no line.
struct SceneFacts
{
    int number = 0; // the scene's position in the scene index, as FILE-scene.csv numbers it
    QString type;   // the break string that started it, "USER_SET", "START" ...
    QString heading;
    QString interior; // see SceneHeading
    QString location;
    QString time;
    int eighths = 0; // length in eighths of a page
    int actionLines = 0;
    int dialogueLines = 0;
    int speeches = 0;
    int firstLine = 0; // the lines first..endLine-1 of the laid-out text
    int endLine = 0;
    std::vector<int> characters; // positions in the index of the characters present
};

struct CharacterFacts
{
    int position = 0; // in the scene index
    QString name;
    QColor color;
    int speeches = 0; // cues; a cue repeated after a page break continues its speech
    int dialogueLines = 0;
    int dialogueWords = 0;
    double speakingSeconds = 0.0; // dialogueWords / wordsPerSecond
    int scenes = 0;               // scenes the character is present in (named or speaking)
    int firstScene = -1;          // numbers of the first and last of them; -1 when none
    int lastScene = -1;
    double dialogueShare = 0.0; // of all dialogue words
    QStringList locations;      // where it is present, in order of first appearance
    int degree = 0;             // in the co-presence network
    int weightedDegree = 0;
    double betweenness = -1.0; // -1 when the network was too large to measure
};

// Scenes and pages of one value of a split (an interior, a time of day).
struct FactShare
{
    QString value;
    int scenes = 0;
    int eighths = 0;
};

struct LocationFacts
{
    QString name; // as first written; scenes are grouped ignoring case and blanks
    int scenes = 0;
    int eighths = 0;
    std::vector<int> sceneNumbers;
    std::vector<FactShare> interiors;
    std::vector<FactShare> times;
};

struct ScriptTotals
{
    int eighths = 0; // the pages of the text, title page aside
    int scenes = 0;
    int characters = 0;
    int speakingCharacters = 0;
    int speeches = 0;
    int actionLines = 0;
    int dialogueLines = 0;
    int dialogueWords = 0;
    double dialogueShare = 0.0;       // dialogue lines / (dialogue + action lines)
    double runningMinutes = 0.0;      // a page a minute
    std::vector<FactShare> interiors; // "INT", "EXT", "INT/EXT", "" in that order, where used
    std::vector<FactShare> times;     // most scenes first
    NetworkMeasures network;
};

// What a reader of a screenplay wants to know of it, computed once for the window's report,
// the command line's --facts and the corpus table alike.
struct ScriptFacts
{
    ScriptTotals script;
    std::vector<SceneFacts> scenes;         // in order
    std::vector<CharacterFacts> characters; // in index order
    std::vector<LocationFacts> locations;   // most scenes first, then most pages
};

// Words spoken a second: 150 words a minute.
constexpr double wordsPerSecond = 2.5;

// What the facts are computed from.
struct FactsSources
{
    const QStringList &lines;
    const TimeIndexVector &index;
    const AnalysisOptions &options;
    bool htmlSource = false; // the lines are HTML
    bool timeCoded = false;  // the scenes are records of time, not stretches of the lines
};

ScriptFacts scriptFacts(const FactsSources &sources);
// The facts of an analysed screenplay (none when it has no scene index).
ScriptFacts scriptFacts(const Analysis &analysis);
