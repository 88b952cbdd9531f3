#pragma once

#include <QString>

// What a scene heading says: "INT. LIGHTHOUSE - STAIRS - NIGHT" is interior "INT", location
// "LIGHTHOUSE - STAIRS" and time "NIGHT".
struct SceneHeading
{
    QString interior; // "INT", "EXT", "INT/EXT", or empty when the heading says neither
    QString location; // the heading without its interior prefix and its time of day
    QString time;     // upper case, after the last dash separator; empty when there is none
};

// Reads one heading line. A scene number before or after it ("12", "12A.", Fountain's "#12#")
// and brackets or parentheses at its end ("(1987)", "[CONTINUOUS]") are not part of it.
SceneHeading parseSceneHeading(const QString &line);
