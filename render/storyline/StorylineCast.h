#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

struct Analysis;

// What a storyline picture names besides the layout: one entry per character, one label per
// step.
struct StorylineCast
{
    QStringList names; // distinct: a name that would repeat one before it is numbered
    std::vector<QColor> colors;
    QStringList stepLabels; // the numbers along the time axis
    QString axisTitle;      // what a step is ("Scene", "Step")
};

// The cast of an analysis's storyline: the index's characters by their research names, in
// colours no two of them share (forced colours kept), and the steps numbered as the scene
// statistics number scenes (from 0) or, for a sessions file, by their lines (from 1).
StorylineCast storylineCast(const Analysis &analysis);
