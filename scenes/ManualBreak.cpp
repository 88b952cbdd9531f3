#include "scenes/ManualBreak.h"
// TODO(break strings): implementation pending
float manualBreakPosition(int, int, int, int, int) { return 0.0f; }
