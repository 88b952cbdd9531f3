#include "scenes/SavedMarkup.h"
// TODO(saved markup): implementation pending
QString savedMarkupText(const DocumentModel &) { return QString(); }
bool saveMarkup(const QString &, const DocumentModel &) { return false; }
