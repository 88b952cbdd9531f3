#include "scenes/BreakStringFile.h"

#include "reader/TextFile.h"

bool loadBreakStringFile(const QString &path, QStringList &breakStrings)
{
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return false;
    breakStrings.clear();
    for (const QString &line : *lines) {
        // Blanks are kept: an entry is exactly what the line holds.
        if (!line.isEmpty())
            breakStrings.append(line);
    }
    return true;
}

bool saveBreakStringFile(const QString &path, const QStringList &breakStrings, QString *reason)
{
    QString text;
    for (const QString &entry : breakStrings)
        text += entry + QLatin1Char('\n');
    return TextFile::writeText(path, text, reason);
}

QStringList sampleBreakStrings()
{
    return {QStringLiteral("int."),     QStringLiteral("ext."), QStringLiteral("INTERIOR"),
            QStringLiteral("EXTERIOR"), QStringLiteral("INT"),  QStringLiteral("EXT")};
}

QStringList withoutBreakStrings(const QStringList &breakStrings, const QStringList &selected)
{
    QStringList kept;
    for (const QString &entry : breakStrings) {
        if (!selected.contains(entry, Qt::CaseSensitive))
            kept.append(entry);
    }
    return kept;
}
