#pragma once

#include "characters/Character.h"

#include <QByteArray>
#include <QString>

class TimeIndexVector;

// The head the saved markup begins with: its character set (UTF-8, which the file is always
// written in, so that a browser shows every name as it is), every index character's colour
// and the heading style. Before the first parse there is no index (null).
QString savedMarkupStyle(const TimeIndexVector *index, const QString &breakStringClass);
// The same for the characters a markup pass is about to count (its index's snapshot), so the
// block can be written before the markup that follows it is made.
QString savedMarkupStyle(const CharacterList &characters, const QString &breakStringClass);
// The style block, then the markup (UTF-8, as a markup pass makes it).
QString savedMarkupText(const TimeIndexVector *index, const QString &breakStringClass,
                        const QByteArray &markupHtml);
// Writes savedMarkupText in UTF-8 without building it, so a large screenplay's markup is never
// held twice. When the file cannot be written, `reason` (when given) says why.
bool saveMarkup(const QString &path, const TimeIndexVector *index, const QString &breakStringClass,
                const QByteArray &markupHtml, QString *reason = nullptr);
