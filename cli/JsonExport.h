#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

struct Analysis;
struct StorylineLayout;

// The result of one parsed screenplay as a JSON object: "file", "lines", "speakerIndent",
// "options", for a PDF the "layout" its pages were read in, the index characters (whose order the
// scenes' "counts" follow) and the scenes. The number of lines is given, so that the caller may
// have let go of the lines themselves.
QJsonObject documentToJson(const QString &file, const Analysis &document, int lineCount);

// A storyline as JSON: "steps", "crossings", "wiggles" and "lines", which maps each name (one
// per character of the layout) to an array with, per step, the line's slot (smaller is higher)
// or null where the line is not drawn.
QJsonObject storylineToJson(const StorylineLayout &layout, const QStringList &names);

// The JSON number for a single-precision value, written with the fewest digits that still
// read back as the same float (0.1f gives 0.1, not 0.10000000149011612). A value that is not
// finite has no JSON form and gives 0.
double jsonNumber(float value);
