#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QChart;
struct ScriptFacts;

// The report's charts, made from a screenplay's facts. A click on a bar calls `clicked` with
// what the bar stands for: a character's position in the scene index, or a scene's number.
using ReportClick = std::function<void(int)>;

// Each character's share of the dialogue words: the fifteen largest, and the rest together.
// Names longer than `nameLength` are shortened.
QChart *dialogueShareChart(const ScriptFacts &facts, const ReportClick &characterClicked = {},
                           int nameLength = 24);
// Scenes per location, the most used first; a click gives the location's first scene. Names
// longer than `nameLength` are shortened.
QChart *locationChart(const ScriptFacts &facts, const ReportClick &sceneClicked = {},
                      int nameLength = 24);
// Scenes by interior and by time of day, as donuts.
QChart *interiorChart(const ScriptFacts &facts);
QChart *timeOfDayChart(const ScriptFacts &facts);
// Every scene's pages in script order, coloured by its time of day.
QChart *sceneLengthChart(const ScriptFacts &facts, const ReportClick &sceneClicked = {});

// The colour a time of day is drawn in, the same in every chart.
QColor timeOfDayColor(const QString &time);

// At most this many bars of characters or locations; the rest are left out or joined.
constexpr int reportTopCount = 15;
