#pragma once

#include <QString>

// A text field of the statistics CSV. A field holding a comma, a double quote or a line break
// is quoted (quotes doubled), so every CSV reader sees one field; a field that a spreadsheet
// would run as a formula ("=", "+", "@", a tab or a carriage return first) gets a leading
// apostrophe. Any other field is written as it is.
QString csvField(const QString &text);
