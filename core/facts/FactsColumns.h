#pragma once

#include <QStringList>

struct ScriptFacts;

// The corpus table's columns of a screenplay's facts and co-presence network, by name, and
// their CSV fields for one screenplay (in the same order).
QStringList factsColumnNames();
QStringList factsColumnFields(const ScriptFacts &facts);
