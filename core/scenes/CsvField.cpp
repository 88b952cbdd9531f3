#include "scenes/CsvField.h"

namespace {

bool startsLikeFormula(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    return first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('@') ||
           first == QLatin1Char('\t') || first == QLatin1Char('\r');
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
