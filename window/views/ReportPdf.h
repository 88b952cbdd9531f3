#pragma once

#include <QString>

struct ScriptFacts;

// The report as a PDF of two pages (A4, or US Letter where the locale measures in inches):
// the script facts and the charts, then the tables of the characters and the locations.
// False when the file cannot be written; then `reason` says why.
bool writeReportPdf(const QString &path, const ScriptFacts &facts, const QString &screenplayName,
                    QString *reason = nullptr);
