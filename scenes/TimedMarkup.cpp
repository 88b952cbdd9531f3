#include "scenes/TimedMarkup.h"
// TODO(markup): implementation pending
QString markupTimed(DocumentModel &, AnalysisProgress &) { return QString(); }
