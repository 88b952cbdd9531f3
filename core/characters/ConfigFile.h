#pragma once

#include "characters/AnalysisOptions.h"
#include "characters/Option.h"
#include "support/SettingsRead.h"

#include <memory>
#include <vector>

using OptionList = std::vector<std::unique_ptr<Option>>;

// The six options of config.txt, in file order, bound to the members of `options`.
OptionList makeAnalysisOptions(AnalysisOptions &options);

// Applies one line of a settings file to the options; returns what could not be read, one
// entry per value, with what was kept instead.
QStringList applyConfigLine(const QString &line, const OptionList &options);

// Applies every line of the file; not read (and nothing changed) when it cannot be read.
SettingsRead readConfig(const QString &path, const OptionList &options);
SettingsRead readConfig(const QString &path, AnalysisOptions &options);

// Writes one configLine per option, replacing the file; false when it cannot be written.
bool writeConfig(const QString &path, const OptionList &options);
