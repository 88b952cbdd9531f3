#include "characters/CharacterListFile.h"

#include "reader/TextFile.h"

#include <algorithm>

namespace {

int colorComponent(const QString &text)
{
    return std::clamp(text.toInt(nullptr, 10), 0, 255); // text that is no number reads 0
}

// Applies one "NAME, ALIAS, ... : R G B" line. Further names and the colour belong to the
// last entry of the list, which is the one of an earlier line when this line's first name
// is empty; with no entry at all they are dropped.
void readEntry(const QString &line, CharacterList &includeCharacters)
{
    const QStringList fields = line.split(QLatin1Char(':'));
    const QStringList names = fields.at(0).split(QLatin1Char(','));
    for (int n = 0; n < names.size(); ++n) {
        const QStringList words = names.at(n).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        if (n == 0)
            includeCharacters.push_back(std::make_shared<Character>(words));
        else if (!includeCharacters.empty())
            includeCharacters.back()->aliases.append(words);
    }
    if (fields.size() < 2 || includeCharacters.empty())
        return;
    const QStringList components = fields.at(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (components.size() < 3)
        return;
    Character &last = *includeCharacters.back();
    last.color = QColor(colorComponent(components.at(0)), colorComponent(components.at(1)),
                        colorComponent(components.at(2)), 255);
    last.forcedColor = true;
}

} // namespace

bool loadCharacterList(const QString &path, CharacterList &includeCharacters)
{
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return false;
    // The records themselves stay untouched: other lists may still share them.
    includeCharacters.clear();
    for (const QString &line : *lines)
        readEntry(line, includeCharacters);
    return true;
}

bool saveCharacterList(const QString &path, const CharacterList &includeCharacters, QString *reason)
{
    return TextFile::writeText(path, characterListText(includeCharacters), reason);
}

QString characterListText(const CharacterList &includeCharacters)
{
    QString text;
    for (const CharacterPtr &character : includeCharacters) {
        // Words one blank apart and nothing after the last, so that the line reads as it
        // was typed; the aliases go back where they were read from, after the name.
        text += character->names.join(QLatin1Char(' '));
        for (const QStringList &alias : character->aliases)
            text += QLatin1String(", ") + alias.join(QLatin1Char(' '));
        if (character->forcedColor) {
            const QColor &color = character->color;
            text +=
                QStringLiteral(" : %1 %2 %3").arg(color.red()).arg(color.green()).arg(color.blue());
        }
        text += QLatin1Char('\n');
    }
    return text;
}
