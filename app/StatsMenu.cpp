#include "app/textVis.h"

void textVis::writeCharacterStats() {}
void textVis::writeCharacterStats(const QString &) {}
void textVis::writeSceneStats() {}
void textVis::writeSceneStats(const QString &) {}
void textVis::statsmenuTrigger(QAction *) {}
