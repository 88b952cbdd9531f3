#include "scenes/Statistics.h"
// TODO(statistics): implementation pending
void computeCharacterStats(TimeIndexVector &) {}
QString characterStatsCsv(TimeIndexVector &) { return QString(); }
QString sceneStatsCsv(const TimeIndexVector &, int) { return QString(); }
bool writeCharacterStats(const QString &, TimeIndexVector &) { return false; }
bool writeSceneStats(const QString &, const TimeIndexVector &, int) { return false; }
