#include "characters/CharacterDiscovery.h"

#include "characters/CharacterCollector.h"
#include "characters/CueName.h"
#include "characters/IncludeMatcher.h"
#include "characters/SpeechContinuation.h"
#include "characters/TypedCueFilter.h"
#include "reader/SessionsFile.h"
#include "support/Random15.h"
#include "support/StageProgress.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <set>

namespace {

// Runs the line frame shared by both variants: progress, cancellation, one call per line.
template<typename LineTreatment>
void scanLines(const QStringList &lines, const CharacterCollector &collector,
               const StageProgress &progress, LineTreatment treat)
{
    for (int l = 0; l < lines.size(); ++l) {
        if (progress.wasCanceled())
            break;
        progress.report(l, static_cast<int>(collector.characters().size()));
        treat(l, lines.at(l));
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

// One scan over text lines: the collector, the include matcher and what steers them.
struct TextScan
{
    TextScan(const CharacterList &includes, const AnalysisOptions &analysisOptions)
        : includeCharacters(includes)
        , options(analysisOptions)
        , collector(includes)
        , matcher(includes, analysisOptions.caseSensitive, analysisOptions.looseMatch,
                  analysisOptions.wholeNameMatch)
    {
    }

    const CharacterList &includeCharacters;
    const AnalysisOptions &options;
    CharacterCollector collector;
    IncludeMatcher matcher;
    std::map<int, int> cueLinesAtIndent;
    std::set<const Character *> cueSpeakers; // the characters that speaker lines name
    // With merged extensions: cues repeated after a page break, and the typed lines at a
    // cue's indent that name nobody (empty unless the text is typed).
    SpeechContinuation continuation;
    QVector<bool> keptOut;
};

// A speaker line that names nobody, a cue continuing the speech of the page before, or a
// counted speech.
void countSpeaker(TextScan &scan, int index, const QString &line, const QStringList &tokens,
                  int lead)
{
    const bool merge = scan.options.mergeCueExtensions;
    const QStringList nameWords = cueNameWords(tokens, lead, merge);
    const bool keptOut = index < scan.keptOut.size() && scan.keptOut.at(index);
    if (nameWords.isEmpty() || keptOut) {
        // Made but not counted, and dropped at the end: making a character seeds the shared
        // generator with its name, and the colours and the thread layout draw from it after.
        if (keptOut)
            scan.collector.findOrAdd(nameWords);
        if (merge)
            scan.continuation.passLine(line, lead);
        return;
    }
    if (merge && scan.continuation.continuesAtCue(nameWords, tokens))
        return;
    const CharacterPtr speaker = scan.collector.findOrAdd(nameWords);
    ++speaker->count;
    speaker->indent = lead;
    ++scan.cueLinesAtIndent[lead];
    scan.cueSpeakers.insert(speaker.get());
}

// The indent at which the most cue lines stand; on a tie the deeper one, since cues stand
// to the right of dialogue.
int indentOfMostCueLines(const std::map<int, int> &cueLinesAtIndent)
{
    int indent = 0;
    int most = 0;
    for (const auto &[lead, lines] : cueLinesAtIndent) {
        if (lines >= most) {
            most = lines;
            indent = lead;
        }
    }
    return indent;
}

int speakerIndentOf(const TextScan &scan, const CharacterList &indentSorted)
{
    // A screenplay whose cues all name one person has no run of equal indents to find.
    if (scan.cueSpeakers.size() == 1) {
        const Character *only = *scan.cueSpeakers.begin();
        for (const CharacterPtr &c : indentSorted) {
            if (c.get() == only)
                return c->indent;
        }
    }
    if (scan.options.mergeCueExtensions)
        return indentOfMostCueLines(scan.cueLinesAtIndent);
    return mostFrequentIndent(indentSorted);
}

void countIncluded(TextScan &scan, const QStringList &tokens, int lead)
{
    for (const int winner : scan.matcher.winners(tokens)) {
        const CharacterPtr counted =
            scan.collector.findOrAdd(scan.includeCharacters[winner]->names);
        ++counted->count;
        counted->indent = lead;
    }
}

void treatTextLine(TextScan &scan, int index, const QString &line)
{
    const QStringList tokens = line.split(QLatin1Char(' '));
    const int lead = leadingBlanks(tokens);
    if (lead > scan.options.minCharacterSpaces && lead < tokens.size())
        countSpeaker(scan, index, line, tokens, lead);
    else if (scan.options.mergeCueExtensions)
        scan.continuation.passLine(line, lead);
    if (!scan.includeCharacters.empty())
        countIncluded(scan, tokens, lead);
}

void treatCsvLine(CharacterCollector &collector, const CharacterList &includeCharacters,
                  const QString &line)
{
    const QStringList pieces = line.split(QLatin1Char('"'));
    if (pieces.size() != 3)
        return;
    QString field = pieces.at(1);
    for (const QChar removed :
         {QLatin1Char('['), QLatin1Char(']'), QLatin1Char('\''), QLatin1Char(' ')})
        field.remove(removed);
    for (const QString &name : field.split(QLatin1Char(','))) {
        const CharacterPtr counted = collector.findOrAdd(QStringList{name});
        ++counted->count;
        for (const CharacterPtr &include : includeCharacters) {
            if (include->names == counted->names) {
                counted->color = include->color;
                counted->forcedColor = true;
            }
        }
    }
}

CharacterPtr findByNames(const CharacterList &list, const QStringList &words)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&words](const CharacterPtr &c) { return c->names == words; });
    return found != list.end() ? *found : nullptr;
}

} // namespace

CharacterPtr findOrAddCharacter(CharacterList &characters, const CharacterList &includeCharacters,
                                const QStringList &words)
{
    if (CharacterPtr found = findByNames(characters, words))
        return found;
    CharacterPtr character = findByNames(includeCharacters, words);
    if (character == nullptr)
        character = std::make_shared<Character>(words);
    characters.push_back(character);
    return character;
}

DiscoveredCharacters discoverTextCharacters(const QStringList &lines,
                                            const CharacterList &includeCharacters,
                                            const AnalysisOptions &options,
                                            const QVector<QColor> &palette,
                                            const StageProgress &progress)
{
    TextScan scan(includeCharacters, options);
    if (options.mergeCueExtensions && options.typedText)
        scan.keptOut = typedCuesKeptOut(lines, options.minCharacterSpaces);
    scanLines(lines, scan.collector, progress,
              [&scan](int index, const QString &line) { treatTextLine(scan, index, line); });

    DiscoveredCharacters found;
    CharacterList &characters = found.characters;
    characters = scan.collector.takeCharacters();
    keepCountAbove(characters, std::max(0, options.minCharacterInstances));
    sortDescending(characters, [](const Character &c) { return c.indent; });
    found.speakerIndent = speakerIndentOf(scan, characters);
    const int speakerIndent = found.speakerIndent;
    characters.erase(std::remove_if(characters.begin(), characters.end(),
                                    [speakerIndent](const CharacterPtr &c) {
                                        return c->indent != speakerIndent;
                                    }),
                     characters.end());
    sortDescending(characters, [](const Character &c) { return c.count; });
    assignColors(characters, palette);
    return found;
}

DiscoveredCharacters discoverCsvCharacters(const QStringList &lines,
                                           const CharacterList &includeCharacters,
                                           const AnalysisOptions &options,
                                           const QVector<QColor> &palette,
                                           const StageProgress &progress)
{
    CharacterCollector collector(includeCharacters);
    scanLines(lines, collector, progress,
              [&](int, const QString &line) { treatCsvLine(collector, includeCharacters, line); });

    DiscoveredCharacters found;
    found.characters = collector.takeCharacters();
    keepCountAbove(found.characters, options.minCharacterInstances);
    sortDescending(found.characters, [](const Character &c) { return c.count; });
    assignColors(found.characters, palette);
    return found;
}

DiscoveredCharacters discoverSessionsCharacters(const QStringList &lines,
                                                const CharacterList &includeCharacters,
                                                const QVector<QColor> &palette)
{
    const SessionsText sessions = parseSessions(lines);
    std::vector<int> steps(sessions.names.size(), 0);
    for (const StorylineSteps::Step &step : sessions.steps.steps) {
        for (const StorylineSteps::Group &group : step) {
            for (const int member : group)
                ++steps[member];
        }
    }
    CharacterCollector collector(includeCharacters);
    for (int k = 0; k < sessions.names.size(); ++k) {
        const CharacterPtr character =
            collector.findOrAdd(sessions.names.at(k).split(QLatin1Char(' ')));
        character->count = steps[k];
    }
    DiscoveredCharacters found;
    found.characters = collector.takeCharacters();
    sortDescending(found.characters, [](const Character &c) { return c.count; });
    assignColors(found.characters, palette);
    applyForcedColors(found.characters, includeCharacters);
    return found;
}

void assignColors(CharacterList &characters, const QVector<QColor> &palette)
{
    const int n = static_cast<int>(characters.size());
    for (int i = 0; i < n; ++i) {
        Character &character = *characters[i];
        if (character.forcedColor)
            continue;
        if (!palette.isEmpty()) {
            character.color = palette.at(std::min<qsizetype>(i, palette.size() - 1));
        } else {
            // Hues spread evenly in list order; the value draws from the shared generator.
            const double value = (150 + Random15::drawFull() % 56) / 255.0;
            character.color =
                QColor::fromHsvF(static_cast<double>(i) / n, 200.0 / 255.0, value, 1.0);
        }
    }
}

void applyForcedColors(CharacterList &characters, const CharacterList &includeCharacters)
{
    QHash<QStringList, const Character *> forced;
    for (const CharacterPtr &include : includeCharacters) {
        if (include->forcedColor && !forced.contains(include->names))
            forced.insert(include->names, include.get());
    }
    for (const CharacterPtr &character : characters) {
        const Character *include = forced.value(character->names);
        if (include == nullptr || include == character.get())
            continue;
        character->color = include->color;
        character->forcedColor = true;
    }
}
