#pragma once

#include <QString>

class TimeIndexVector;

// A style block with every index character's colour and the heading style, then the markup.
// Before the first parse there is no index (null).
QString savedMarkupText(const TimeIndexVector *index, const QString &breakStringClass,
                        const QString &markupHtml);
// When the file cannot be written, `reason` (when given) says why.
bool saveMarkup(const QString &path, const TimeIndexVector *index, const QString &breakStringClass,
                const QString &markupHtml, QString *reason = nullptr);
