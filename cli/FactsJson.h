#pragma once

#include <QJsonObject>
#include <QString>

struct ScriptFacts;

// FILE-facts.json: "file", then the objects "script", "scenes", "characters" and "locations"
// (the names are listed in the README; other tools read them).
QJsonObject factsToJson(const QString &file, const ScriptFacts &facts);
