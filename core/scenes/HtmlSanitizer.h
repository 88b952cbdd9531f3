#pragma once

#include <QString>

// Makes the markup of an HTML screenplay harmless for the text view and for a browser that
// opens the saved markup: elements of an allow-list of formatting elements stay with their
// presentational attributes; every other tag is dropped, scripts, styles, frames, objects
// and the like together with their content; comments and declarations go; a "<" that opens
// no tag is escaped. Text and entities are kept as they are.
QString sanitizeHtml(const QString &html);

// The text with "&", "<", ">" and both quotes as entities, shown literally in HTML.
QString escapeHtml(const QString &text);
