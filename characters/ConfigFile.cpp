#include "characters/ConfigFile.h"
// TODO(options): implementation pending
OptionList makeAnalysisOptions(AnalysisOptions &) { return {}; }
void applyConfigLine(const QString &, const OptionList &) {}
bool readConfig(const QString &, const OptionList &) { return false; }
bool readConfig(const QString &, AnalysisOptions &) { return false; }
bool writeConfig(const QString &, const OptionList &) { return false; }
