#pragma once

#include <QString>
#include <QVector>

#include <utility>
#include <vector>

#include <QColor>

struct Character;
class TimeIndexVector;

// A set of inline style properties for every element that matches a CSS selector.
struct ElementStyle
{
    QString selector; // "span." + the class, escaped
    QVector<std::pair<QString, QString>> properties;
    QString className; // the class the selector names, as the elements' attribute holds it
};

// The class attribute value of a character's spans, safe inside single quotes.
QString characterClassAttribute(const Character &character);
// "span." + the character's class, escaped so the selector stays valid for any name.
QString characterSelector(const Character &character);

// Colour and weight of every index character's spans, then the heading style. Empty when
// there is no index.
std::vector<ElementStyle> markupElementStyles(const TimeIndexVector *index,
                                              const QString &breakStringClass);
// Background of scene block `sceneNumber` (0-based, document order): `even` on even,
// `odd` on odd, as #rrggbb.
QString sceneBackground(const QColor &even, const QColor &odd, int sceneNumber);
