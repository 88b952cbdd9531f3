#pragma once

#include "support/SettingsRead.h"

#include <QString>
#include <QStringList>

// Break-string files: one break string per line; empty lines are skipped on reading. An entry
// of several words matches them in sequence (blanks around them do not count).
SettingsRead loadBreakStringFile(const QString &path, QStringList &breakStrings);
// False when the file cannot be written; then `reason` (when given) says why.
bool saveBreakStringFile(const QString &path, const QStringList &breakStrings,
                         QString *reason = nullptr);
// The sample list offered at start-up: int., ext., INTERIOR, EXTERIOR, INT, EXT.
QStringList sampleBreakStrings();
// Every entry equal (case-sensitively) to none of the selected texts, in order.
QStringList withoutBreakStrings(const QStringList &breakStrings, const QStringList &selected);
