#include "scenes/BreakStringFile.h"
// TODO(break strings): implementation pending
bool loadBreakStringFile(const QString &, QStringList &) { return false; }
bool saveBreakStringFile(const QString &, const QStringList &) { return false; }
QStringList sampleBreakStrings() { return {}; }
QStringList withoutBreakStrings(const QStringList &b, const QStringList &) { return b; }
