#include "characters/PaletteFile.h"

#include "characters/ColorComponents.h"
#include "reader/TextFile.h"

SettingsRead loadPalette(const QString &path, QVector<QColor> &palette)
{
    SettingsRead result;
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return result;
    result.read = true;
    palette.clear();
    for (int n = 0; n < lines->size(); ++n) {
        // Single blanks separate; a double blank gives an empty component that reads 0.
        const QStringList pieces = lines->at(n).split(QLatin1Char(' '));
        QStringList problems;
        if (pieces.size() < 3) {
            if (!lines->at(n).trimmed().isEmpty())
                problems.append(QStringLiteral("not three colour components; line skipped"));
        } else {
            palette.append(colorFromComponents(pieces, problems));
        }
        for (const QString &problem : problems)
            result.warnings.append(settingsLineWarning(path, n, problem));
    }
    return result;
}

bool savePalette(const QString &path, const CharacterList &characters, QString *reason)
{
    return TextFile::writeText(path, paletteText(characters), reason);
}

QString paletteText(const CharacterList &characters)
{
    QString text;
    for (const CharacterPtr &character : characters) {
        const QColor &color = character->color;
        text += QStringLiteral("%1 %2 %3\n").arg(color.red()).arg(color.green()).arg(color.blue());
    }
    return text;
}

void applyPalette(CharacterList &characters, const QVector<QColor> &palette)
{
    if (palette.isEmpty())
        return; // no entry to take, so every character keeps its colour
    for (size_t i = 0; i < characters.size(); ++i) {
        const qsizetype entry = std::min<qsizetype>(qsizetype(i), palette.size() - 1);
        characters[i]->color = palette.at(entry);
    }
}
