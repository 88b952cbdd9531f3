#pragma once

#include <QString>

class AnalysisProgress;
struct DocumentModel;

// The time-coded pass: one "fight" and one "break" scene per record, then "end".
QString markupTimed(DocumentModel &document, AnalysisProgress &progress);
