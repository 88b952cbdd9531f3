#include "characters/PaletteFile.h"

#include "reader/TextFile.h"

#include <algorithm>

namespace {

int colorComponent(const QString &text)
{
    return std::clamp(text.toInt(nullptr, 10), 0, 255); // empty or no number reads 0
}

} // namespace

bool loadPalette(const QString &path, QVector<QColor> &palette)
{
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return false;
    palette.clear();
    for (const QString &line : *lines) {
        // Single blanks separate; a double blank gives an empty component that reads 0.
        const QStringList pieces = line.split(QLatin1Char(' '));
        if (pieces.size() < 3)
            continue;
        palette.append(QColor(colorComponent(pieces.at(0)), colorComponent(pieces.at(1)),
                              colorComponent(pieces.at(2)), 255));
    }
    return true;
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
