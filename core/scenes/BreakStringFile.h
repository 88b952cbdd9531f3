#pragma once

#include <QString>
#include <QStringList>

// Break-string files: one break string per line; empty lines are skipped on reading.
bool loadBreakStringFile(const QString &path, QStringList &breakStrings);
bool saveBreakStringFile(const QString &path, const QStringList &breakStrings);
// The sample list offered at start-up: int., ext., INTERIOR, EXTERIOR, INT, EXT.
QStringList sampleBreakStrings();
// Every entry equal (case-sensitively) to none of the selected texts, in order.
QStringList withoutBreakStrings(const QStringList &breakStrings, const QStringList &selected);
