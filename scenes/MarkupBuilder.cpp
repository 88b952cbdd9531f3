#include "scenes/MarkupBuilder.h"
// TODO(markup): implementation pending
QString buildMarkup(DocumentModel &, AnalysisProgress &) { return QString(); }
QString markupText(DocumentModel &, AnalysisProgress &) { return QString(); }
QString markupLine(DocumentModel &, const QString &, float) { return QString(); }
