#pragma once

#include <QByteArray>

class QString;

// The bytes to draw `text` with in the stroke font, which has glyphs for printable ASCII
// only: typographic quotes, dashes and spaces become their plain forms, accented letters
// their base letters (canonical decomposition, combining marks dropped), a few letters
// without a decomposition their usual spelling ("ß" as "ss"), and anything else "?".
QByteArray strokeFontText(const QString &text);
