#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The readers take file paths, so every input is written to one scratch file per process
// and read back through the same code the program uses.
QString writeFuzzInput(const uint8_t *data, size_t size);

struct DocumentModel;
struct ScreenplayText;

// Finds the characters of the document's plain-text lines and marks them up, as opening a
// text file does.
void analyseText(DocumentModel &document);

// What every reader of a laid-out format promises: either lines and no error, or an error
// and no lines. Aborts (a finding) otherwise; then analyses the lines as opening a file does.
void checkAndAnalyse(const ScreenplayText &text);
