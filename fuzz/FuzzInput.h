#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The readers take file paths, so every input is written to one scratch file per process
// and read back through the same code the program uses.
QString writeFuzzInput(const uint8_t *data, size_t size);

#include <memory>

struct Analysis;
struct AnalysisSettings;
struct Screenplay;
struct ScreenplayText;

// Finds the characters of the screenplay's lines and marks them up, as opening a file does
// (by its suffix: a "csv" one is time-coded).
std::shared_ptr<const Analysis> analyseText(Screenplay screenplay,
                                            const AnalysisSettings &settings);

// What every reader of a laid-out format promises: either lines and no error, or an error
// and no lines. Aborts (a finding) otherwise; then analyses the lines as opening a file does.
void checkAndAnalyse(const ScreenplayText &text);
