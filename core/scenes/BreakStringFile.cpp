#include "scenes/BreakStringFile.h"

#include "reader/TextFile.h"

SettingsRead loadBreakStringFile(const QString &path, QStringList &breakStrings)
{
    SettingsRead result;
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return result;
    result.read = true;
    breakStrings.clear();
    for (int n = 0; n < lines->size(); ++n) {
        const QString &line = lines->at(n);
        if (line.isEmpty())
            continue;
        // Blanks are kept: an entry is exactly what the line holds. Its words match in
        // sequence, so only an entry without a word can never match.
        breakStrings.append(line);
        if (line.trimmed().isEmpty())
            result.warnings.append(settingsLineWarning(
                path, n,
                QStringLiteral("\"%1\" holds no word, so it never matches; kept as written")
                    .arg(line)));
    }
    return result;
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
