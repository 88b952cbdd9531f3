#pragma once

#include <QString>

struct ScriptFacts;

// FILE-locations.csv: one row per location, most scenes first: "location", "scenes", "pages"
// (to the eighth), "interiors" and "times" (each value with its scenes, "INT 2; EXT 1"), and
// "scene numbers" (as FILE-scene.csv numbers them, joined by "; ").
QString locationsCsv(const ScriptFacts &facts);

// Pages in eighths as a decimal number of pages: 11 gives "1.375".
QString pagesText(int eighths);
