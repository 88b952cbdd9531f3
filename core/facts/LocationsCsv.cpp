#include "facts/LocationsCsv.h"

#include "facts/ScriptFacts.h"
#include "scenes/CsvField.h"

namespace {

QString sharesText(const std::vector<FactShare> &shares)
{
    QStringList parts;
    for (const FactShare &share : shares) {
        const QString value = share.value.isEmpty() ? QStringLiteral("none") : share.value;
        parts.append(value + QLatin1Char(' ') + QString::number(share.scenes));
    }
    return parts.join(QStringLiteral("; "));
}

QString numbersText(const std::vector<int> &numbers)
{
    QStringList parts;
    for (const int number : numbers)
        parts.append(QString::number(number));
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString pagesText(int eighths)
{
    // An eighth is 0.125: three decimals are exact, and trailing zeros say nothing.
    QString text = QString::number(eighths / 8.0, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString locationsCsv(const ScriptFacts &facts)
{
    QString text = QStringLiteral("location,scenes,pages,interiors,times,scene numbers\n");
    for (const LocationFacts &location : facts.locations) {
        const QStringList fields{csvField(location.name),
                                 QString::number(location.scenes),
                                 pagesText(location.eighths),
                                 csvField(sharesText(location.interiors)),
                                 csvField(sharesText(location.times)),
                                 numbersText(location.sceneNumbers)};
        text += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}
