#include "scenes/SessionsMarkup.h"

#include "reader/SessionsFile.h"
#include "scenes/HtmlSanitizer.h"
#include "support/StageProgress.h"

#include <QHash>

namespace {

// The file's character numbers as numbers of `characters` (-1 for a name none of them has:
// the characters were found in another version of the file).
std::vector<int> indexNumbers(const QStringList &names, const CharacterList &characters)
{
    QHash<QString, int> byName;
    for (int k = 0; k < static_cast<int>(characters.size()); ++k)
        byName.insert(characters[k]->names.join(QLatin1Char(' ')), k);
    std::vector<int> numbers;
    numbers.reserve(names.size());
    for (const QString &name : names)
        numbers.push_back(byName.value(name, -1));
    return numbers;
}

StorylineSteps renumbered(const StorylineSteps &steps, const std::vector<int> &numbers,
                          int characterCount)
{
    StorylineSteps result;
    result.characterCount = characterCount;
    result.steps.reserve(steps.steps.size());
    for (const StorylineSteps::Step &step : steps.steps) {
        StorylineSteps::Step kept;
        for (const StorylineSteps::Group &group : step) {
            StorylineSteps::Group members;
            for (const int member : group) {
                if (numbers[member] >= 0)
                    members.push_back(numbers[member]);
            }
            if (!members.empty())
                kept.push_back(std::move(members));
        }
        result.steps.push_back(std::move(kept));
    }
    return result;
}

} // namespace

MarkupResult markupSessions(const MarkupSources &sources, const StageProgress &progress)
{
    const SessionsText sessions = parseSessions(sources.lines);
    const int characterCount = static_cast<int>(sources.characters.size());
    auto steps = std::make_shared<StorylineSteps>(renumbered(
        sessions.steps, indexNumbers(sessions.names, sources.characters), characterCount));

    auto index = std::make_unique<TimeIndexVector>(sources.characters);
    QByteArray html;
    const int n = static_cast<int>(steps->steps.size());
    for (int s = 0; s < n && !progress.wasCanceled(); ++s) {
        progress.report(s);
        index->addScene(static_cast<float>(s), QStringLiteral("step"));
        for (const StorylineSteps::Group &group : steps->steps[s]) {
            for (const int member : group)
                index->countCharacter(member);
        }
        QString line = sources.lines.at(s);
        line.replace(QLatin1Char('\t'), QLatin1String(" | "));
        html += escapeHtml(line).toUtf8() + "<br>";
    }
    steps->steps.resize(index->scenes.size()); // as far as a cancelled pass came
    if (!index->scenes.empty())
        index->scenes.back().end = static_cast<float>(index->scenes.size());
    index->normalizeTimes();

    MarkupResult marked;
    marked.html = std::move(html);
    marked.index = std::move(index);
    marked.characters = sources.characters;
    marked.lastBreakPosition = sources.lastBreakPosition;
    marked.sessionSteps = std::move(steps);
    return marked;
}
