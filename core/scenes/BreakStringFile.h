#pragma once

#include "support/SettingsRead.h"

#include <QString>
#include <QStringList>

// Break-string files: one break string per line; empty lines are skipped on reading. An entry
// with a blank in it is kept but warned of: a line's words, which entries are compared with,
// hold none.
SettingsRead loadBreakStringFile(const QString &path, QStringList &breakStrings);
bool saveBreakStringFile(const QString &path, const QStringList &breakStrings);
// The sample list offered at start-up: int., ext., INTERIOR, EXTERIOR, INT, EXT.
QStringList sampleBreakStrings();
// Every entry equal (case-sensitively) to none of the selected texts, in order.
QStringList withoutBreakStrings(const QStringList &breakStrings, const QStringList &selected);
