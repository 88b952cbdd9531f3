#include "characters/CharacterDiscovery.h"

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"
#include "characters/IncludeMatcher.h"
#include "characters/Random15.h"

#include <algorithm>

namespace {

CharacterPtr findByNames(const CharacterList &list, const QStringList &words)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&words](const CharacterPtr &c) { return c->names == words; });
    return found != list.end() ? *found : nullptr;
}

// Runs the line frame shared by both variants: progress, cancellation, one call per line.
template<typename LineTreatment>
void scanLines(DocumentModel &document, AnalysisProgress &progress, LineTreatment treat)
{
    const QString titlePrefix = QStringLiteral("Finding characters: ");
    for (int l = 0; l < document.textLines.size(); ++l) {
        if (progress.wasCanceled())
            break;
        progress.setValue(l);
        progress.setTitle(titlePrefix + QString::number(document.characters.size()));
        treat(document.textLines.at(l));
    }
}

void keepCountAbove(CharacterList &characters, int minimum)
{
    characters.erase(
        std::remove_if(characters.begin(), characters.end(),
                       [minimum](const CharacterPtr &c) { return c->count <= minimum; }),
        characters.end());
}

// Greatest first; equal keys keep their discovery order so results are reproducible.
template<typename Key> void sortDescending(CharacterList &characters, Key key)
{
    std::stable_sort(
        characters.begin(), characters.end(),
        [key](const CharacterPtr &a, const CharacterPtr &b) { return key(*a) > key(*b); });
}

// The indent shared by the longest run of equal indents in the indent-sorted list. The
// first character of a run counts 0, so a lone indent never wins over the start value 0.
int mostFrequentIndent(const CharacterList &characters)
{
    int previous = 0;
    int run = 0;
    int best = 0;
    int indent = 0;
    for (const CharacterPtr &c : characters) {
        if (c->indent != previous) {
            previous = c->indent;
            run = 0;
        } else if (++run > best) {
            best = run;
            indent = c->indent;
        }
    }
    return indent;
}

int leadingBlanks(const QStringList &tokens)
{
    int lead = 0;
    while (lead < tokens.size() && tokens.at(lead).isEmpty())
        ++lead;
    return lead;
}

void countSpeaker(DocumentModel &document, const QStringList &tokens, int lead)
{
    QStringList nameWords;
    for (int t = lead; t < tokens.size(); ++t) {
        const QString &token = tokens.at(t);
        // Capitals, digits and punctuation-only words such as (V.O.) are name words.
        if (!token.isEmpty() && token.toUpper() == token)
            nameWords.append(token);
    }
    if (nameWords.isEmpty())
        return;
    const CharacterPtr speaker = findOrAddCharacter(document, nameWords);
    ++speaker->count;
    speaker->indent = lead;
}

void countIncluded(DocumentModel &document, IncludeMatcher &matcher, const QStringList &tokens,
                   int lead)
{
    for (const int winner : matcher.winners(tokens)) {
        const CharacterPtr counted =
            findOrAddCharacter(document, document.includeCharacters[winner]->names);
        ++counted->count;
        counted->indent = lead;
    }
}

void treatTextLine(DocumentModel &document, IncludeMatcher &matcher, const QString &line)
{
    const QStringList tokens = line.split(QLatin1Char(' '));
    const int lead = leadingBlanks(tokens);
    if (lead > document.options.minCharacterSpaces && lead < tokens.size())
        countSpeaker(document, tokens, lead);
    if (!document.includeCharacters.empty())
        countIncluded(document, matcher, tokens, lead);
}

void treatCsvLine(DocumentModel &document, const QString &line)
{
    const QStringList pieces = line.split(QLatin1Char('"'));
    if (pieces.size() != 3)
        return;
    QString field = pieces.at(1);
    for (const QChar removed :
         {QLatin1Char('['), QLatin1Char(']'), QLatin1Char('\''), QLatin1Char(' ')})
        field.remove(removed);
    for (const QString &name : field.split(QLatin1Char(','))) {
        const CharacterPtr counted = findOrAddCharacter(document, QStringList{name});
        ++counted->count;
        for (const CharacterPtr &include : document.includeCharacters) {
            if (include->names == counted->names) {
                counted->color = include->color;
                counted->forcedColor = true;
            }
        }
    }
}

} // namespace

CharacterPtr findOrAddCharacter(DocumentModel &document, const QStringList &words)
{
    if (CharacterPtr found = findByNames(document.characters, words))
        return found;
    CharacterPtr character = findByNames(document.includeCharacters, words);
    if (character == nullptr)
        character = std::make_shared<Character>(words);
    document.characters.push_back(character);
    return character;
}

void discoverTextCharacters(DocumentModel &document, AnalysisProgress &progress)
{
    IncludeMatcher matcher(document.includeCharacters, document.options.caseSensitive,
                           document.options.looseMatch);
    scanLines(document, progress, [&document, &matcher](const QString &line) {
        treatTextLine(document, matcher, line);
    });

    CharacterList &characters = document.characters;
    keepCountAbove(characters, document.options.minCharacterInstances);
    sortDescending(characters, [](const Character &c) { return c.indent; });
    document.speakerIndent = mostFrequentIndent(characters);
    const int speakerIndent = document.speakerIndent;
    characters.erase(std::remove_if(characters.begin(), characters.end(),
                                    [speakerIndent](const CharacterPtr &c) {
                                        return c->indent != speakerIndent;
                                    }),
                     characters.end());
    sortDescending(characters, [](const Character &c) { return c.count; });
    assignColors(characters, document.palette);
}

void discoverCsvCharacters(DocumentModel &document, AnalysisProgress &progress)
{
    scanLines(document, progress,
              [&document](const QString &line) { treatCsvLine(document, line); });

    CharacterList &characters = document.characters;
    keepCountAbove(characters, document.options.minCharacterInstances);
    sortDescending(characters, [](const Character &c) { return c.count; });
    assignColors(characters, document.palette);
}

void assignColors(CharacterList &characters, const QVector<QColor> &palette)
{
    const int n = static_cast<int>(characters.size());
    for (int i = 0; i < n; ++i) {
        Character &character = *characters[i];
        if (character.forcedColor)
            continue;
        if (!palette.isEmpty()) {
            character.color = palette.at(std::min(i, palette.size() - 1));
        } else {
            // Hues spread evenly in list order; the value draws from the shared generator.
            const double value = (150 + Random15::drawFull() % 56) / 255.0;
            character.color =
                QColor::fromHsvF(static_cast<double>(i) / n, 200.0 / 255.0, value, 1.0);
        }
    }
}
