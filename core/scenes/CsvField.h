#pragma once

#include <QString>

// A text field of the statistics CSV. A field holding a comma, a double quote or a line break
// is quoted (quotes doubled), so every CSV reader sees one field; a field that a spreadsheet
// would run as a formula ("=", "@", a tab or a carriage return first, or "+" or "-" first
// unless the whole field is a plain number such as "-3" or "+2.5") gets a leading apostrophe.
// Any other field is written as it is.
QString csvField(const QString &text);
