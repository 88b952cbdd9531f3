#include "characters/CharacterListFile.h"

#include "characters/ColorComponents.h"
#include "reader/TextFile.h"

namespace {

// A line with no name at all before its ":" (" : 1 2 3"), or with aliases and no character
// before it to take them; empty when the line is not such a line.
QString namelessLineProblem(const QStringList &fields, const CharacterList &includeCharacters)
{
    const QString before = fields.at(0);
    if (!before.split(QLatin1Char(',')).at(0).trimmed().isEmpty())
        return QString();
    const bool noName = fields.size() > 1 && before.trimmed().remove(QLatin1Char(',')).isEmpty();
    if (includeCharacters.empty() && (noName || !before.trimmed().isEmpty()))
        return QStringLiteral("no name before \":\" or \",\", and no character before it; "
                              "line skipped");
    if (noName)
        return QStringLiteral("no name before \":\"; the colour went to %1, the character "
                              "before it")
            .arg(includeCharacters.back()->displayText().trimmed());
    return QString();
}

// Applies one "NAME, ALIAS, ... : R G B" line. Further names and the colour belong to the
// last entry of the list, which is the one of an earlier line when this line's first name
// is empty; with no entry at all they are dropped. Returns what could not be read as written.
QStringList readEntry(const QString &line, CharacterList &includeCharacters)
{
    QStringList problems;
    const QStringList fields = line.split(QLatin1Char(':'));
    const QStringList names = fields.at(0).split(QLatin1Char(','));
    const QString nameless = namelessLineProblem(fields, includeCharacters);
    if (!nameless.isEmpty())
        problems.append(nameless);
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
        return problems;
    const QStringList components = fields.at(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Character &last = *includeCharacters.back();
    if (components.size() < 3) {
        problems.append(QStringLiteral("not three colour components after \":\"; %1 keeps "
                                       "its own colour")
                            .arg(last.displayText().trimmed()));
        return problems;
    }
    last.color = colorFromComponents(components, problems);
    last.forcedColor = true;
    return problems;
}

} // namespace

SettingsRead loadCharacterList(const QString &path, CharacterList &includeCharacters)
{
    SettingsRead result;
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return result;
    result.read = true;
    // The records themselves stay untouched: other lists may still share them.
    includeCharacters.clear();
    for (int n = 0; n < lines->size(); ++n) {
        for (const QString &problem : readEntry(lines->at(n), includeCharacters))
            result.warnings.append(settingsLineWarning(path, n, problem));
    }
    return result;
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
