#include "app/textVis.h"

// The batch run over many screenplays is not built yet.
void textVis::showAutomateDialog() {}
void textVis::automateTrigger() {}
