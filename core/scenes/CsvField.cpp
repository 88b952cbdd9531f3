#include "scenes/CsvField.h"

#include <QRegularExpression>

namespace {

// A sign followed by a number only is read as that number, never as a formula.
bool isPlainNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?$"));
    return number.match(text).hasMatch();
}

bool startsLikeFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first == QLatin1Char('+') || first == QLatin1Char('-'))
        return !isPlainNumber(text);
    return first == QLatin1Char('=') || first == QLatin1Char('@') || first == QLatin1Char('\t') ||
           first == QLatin1Char('\r');
}

bool needsQuotes(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n') ||
            c == QLatin1Char('\r'))
            return true;
    }
    return false;
}

} // namespace

QString csvField(const QString &text)
{
    QString field = startsLikeFormula(text) ? QLatin1Char('\'') + text : text;
    if (!needsQuotes(field))
        return field;
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}
