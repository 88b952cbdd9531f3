#include "app/textVis.h"

void textVis::charactersmenuTrigger(QAction *) {}
void textVis::textAddCharacterTrigger() {}
void textVis::addIncludeCharacter() {}
void textVis::removeIncludeCharacter() {}
void textVis::setIncludeCharacterColor() {}
