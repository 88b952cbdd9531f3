#pragma once

#include <QString>
#include <QStringList>

class AnalysisProgress;
struct DocumentModel;

// Chooses the pass by fileSuffix: "xml" gives "" and no scene, "csv" the time-coded pass,
// anything else markupText. Fills document.timeIndex, which must exist.
QString buildMarkup(DocumentModel &document, AnalysisProgress &progress);
QString markupText(DocumentModel &document, AnalysisProgress &progress);
// One line at position x (line index / number of lines).
QString markupLine(DocumentModel &document, const QString &line, float x);
