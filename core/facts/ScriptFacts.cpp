#include "facts/ScriptFacts.h"

#include "document/Analysis.h"
#include "facts/LineRoles.h"
#include "facts/PageGrid.h"
#include "facts/SceneHeading.h"
#include "scenes/CoPresenceNetwork.h"
#include "scenes/ResearchName.h"
#include "scenes/TimeIndexVector.h"

#include <QHash>

#include <algorithm>

namespace {

// The first line at or after `position`: positions are line / number of lines, computed in
// float as the markup pass does, so the search repeats that computation exactly.
int lineAt(float position, int lineCount)
{
    int low = 0;
    int high = lineCount;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (static_cast<float>(middle) / static_cast<float>(lineCount) < position)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

bool startsAtHeading(const Scene &scene)
{
    return scene.type != QLatin1String("START") && scene.type != QLatin1String("USER_SET");
}

// Every scene of the index with its lines; headings not yet read.
std::vector<SceneFacts> indexedScenes(const FactsSources &sources)
{
    const int lineCount = sources.timeCoded ? 0 : sources.lines.size();
    std::vector<SceneFacts> scenes;
    for (size_t k = 0; k < sources.index.scenes.size(); ++k) {
        const Scene &scene = sources.index.scenes[k];
        SceneFacts facts;
        facts.number = static_cast<int>(k);
        facts.type = scene.type;
        facts.firstLine = lineAt(scene.start, lineCount);
        facts.endLine = std::max(facts.firstLine, lineAt(scene.end, lineCount));
        for (int c = 0; c < scene.counts.size(); ++c) {
            if (scene.counts.at(c) > 0)
                facts.characters.push_back(c);
        }
        scenes.push_back(std::move(facts));
    }
    return scenes;
}

std::vector<bool> headingLines(const FactsSources &sources, const std::vector<SceneFacts> &scenes)
{
    std::vector<bool> headings(static_cast<size_t>(sources.lines.size()), false);
    for (const SceneFacts &scene : scenes) {
        if (scene.firstLine < scene.endLine &&
            startsAtHeading(sources.index.scenes[static_cast<size_t>(scene.number)]))
            headings[static_cast<size_t>(scene.firstLine)] = true;
    }
    return headings;
}

// The scene's lines, pages and heading.
void describeScene(SceneFacts &scene, const FactsSources &sources,
                   const std::vector<RoledLine> &roles, const PageGrid &pages)
{
    bool holdsText = false;
    for (int i = scene.firstLine; i < scene.endLine; ++i) {
        const RoledLine &line = roles[static_cast<size_t>(i)];
        holdsText =
            holdsText || (line.role != LineRole::Blank && line.role != LineRole::PageMarker);
        scene.actionLines += line.role == LineRole::Action;
        scene.dialogueLines += line.role == LineRole::Dialogue;
        scene.speeches += line.newSpeech;
    }
    scene.eighths = PageGrid::eighths(pages.pagesOf(scene.firstLine, scene.endLine), holdsText);
    if (scene.firstLine >= scene.endLine ||
        roles[static_cast<size_t>(scene.firstLine)].role != LineRole::Heading)
        return;
    scene.heading = visibleText(sources.lines.at(scene.firstLine), sources.htmlSource);
    const SceneHeading heading = parseSceneHeading(scene.heading);
    scene.interior = heading.interior;
    scene.location = heading.location;
    scene.time = heading.time;
}

// The title page and an opening without a speech are no scene; an empty scene is none either.
std::vector<SceneFacts> countedScenes(std::vector<SceneFacts> &&all, const FactsSources &sources)
{
    std::vector<SceneFacts> counted;
    for (SceneFacts &scene : all) {
        const Scene &indexed = sources.index.scenes[static_cast<size_t>(scene.number)];
        const bool holdsSomething =
            sources.timeCoded ? indexed.end > indexed.start : scene.endLine > scene.firstLine;
        const bool opening = scene.number == 0 && indexed.type == QLatin1String("START");
        if (holdsSomething && (!opening || scene.speeches > 0 || all.size() == 1))
            counted.push_back(std::move(scene));
    }
    return counted;
}

void countSpeech(const std::vector<RoledLine> &roles, ScriptFacts &facts)
{
    ScriptTotals &script = facts.script;
    for (const SceneFacts &scene : facts.scenes) {
        script.actionLines += scene.actionLines;
        script.dialogueLines += scene.dialogueLines;
        for (int i = scene.firstLine; i < scene.endLine; ++i) {
            const RoledLine &line = roles[static_cast<size_t>(i)];
            if (line.role == LineRole::Dialogue)
                script.dialogueWords += line.words;
            if (line.speaker < 0 || line.speaker >= static_cast<int>(facts.characters.size()))
                continue;
            CharacterFacts &speaker = facts.characters[static_cast<size_t>(line.speaker)];
            speaker.speeches += line.newSpeech;
            script.speeches += line.newSpeech;
            if (line.role == LineRole::Dialogue) {
                ++speaker.dialogueLines;
                speaker.dialogueWords += line.words;
            }
        }
    }
}

QString locationKey(const QString &location)
{
    return location.simplified().toUpper();
}

void countPresence(ScriptFacts &facts)
{
    for (const SceneFacts &scene : facts.scenes) {
        for (const int position : scene.characters) {
            if (position >= static_cast<int>(facts.characters.size()))
                continue;
            CharacterFacts &character = facts.characters[static_cast<size_t>(position)];
            ++character.scenes;
            if (character.firstScene < 0)
                character.firstScene = scene.number;
            character.lastScene = scene.number;
            const bool known = std::any_of(
                character.locations.begin(), character.locations.end(), [&](const QString &seen) {
                    return locationKey(seen) == locationKey(scene.location);
                });
            if (!scene.location.isEmpty() && !known)
                character.locations.append(scene.location);
        }
    }
}

void addTo(std::vector<FactShare> &shares, const QString &value, int eighths)
{
    auto found = std::find_if(shares.begin(), shares.end(),
                              [&](const FactShare &share) { return share.value == value; });
    if (found == shares.end())
        found = shares.insert(shares.end(), FactShare{value, 0, 0});
    ++found->scenes;
    found->eighths += eighths;
}

// Most scenes first; equal ones keep the order they were met in.
template<typename Item> void sortByScenes(std::vector<Item> &items)
{
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        return a.scenes != b.scenes ? a.scenes > b.scenes : a.eighths > b.eighths;
    });
}

std::vector<LocationFacts> locationsOf(const std::vector<SceneFacts> &scenes)
{
    std::vector<LocationFacts> locations;
    QHash<QString, size_t> byKey;
    for (const SceneFacts &scene : scenes) {
        if (scene.location.isEmpty())
            continue;
        const QString key = locationKey(scene.location);
        if (!byKey.contains(key)) {
            byKey.insert(key, locations.size());
            locations.push_back(LocationFacts{scene.location, 0, 0, {}, {}, {}});
        }
        LocationFacts &location = locations[byKey.value(key)];
        ++location.scenes;
        location.eighths += scene.eighths;
        location.sceneNumbers.push_back(scene.number);
        addTo(location.interiors, scene.interior, scene.eighths);
        addTo(location.times, scene.time, scene.eighths);
    }
    for (LocationFacts &location : locations)
        sortByScenes(location.times);
    sortByScenes(locations);
    return locations;
}

void splitScenes(ScriptFacts &facts)
{
    std::vector<FactShare> interiors;
    for (const SceneFacts &scene : facts.scenes) {
        addTo(interiors, scene.interior, scene.eighths);
        addTo(facts.script.times, scene.time, scene.eighths);
    }
    sortByScenes(facts.script.times);
    for (const char *value : {"INT", "EXT", "INT/EXT", ""}) {
        for (const FactShare &share : interiors) {
            if (share.value == QLatin1String(value))
                facts.script.interiors.push_back(share);
        }
    }
}

// Co-presence in the counted scenes only: the title page names no one who meets anyone.
void measureCoPresence(const FactsSources &sources, ScriptFacts &facts)
{
    TimeIndexVector counted(sources.index.characters);
    for (const SceneFacts &scene : facts.scenes)
        counted.scenes.push_back(sources.index.scenes[static_cast<size_t>(scene.number)]);
    facts.script.network =
        measureNetwork(static_cast<int>(counted.characters.size()), coPresenceEdges(counted));
    const NetworkMeasures &network = facts.script.network;
    for (CharacterFacts &character : facts.characters) {
        const size_t k = static_cast<size_t>(character.position);
        character.degree = network.degree[k];
        character.weightedDegree = network.weightedDegree[k];
        if (network.pathsMeasured)
            character.betweenness = network.betweenness[k];
    }
}

std::vector<CharacterFacts> charactersOf(const TimeIndexVector &index)
{
    std::vector<CharacterFacts> characters;
    for (size_t k = 0; k < index.characters.size(); ++k) {
        CharacterFacts character;
        character.position = static_cast<int>(k);
        character.name = researchName(*index.characters[k]);
        character.color = index.characters[k]->color;
        characters.push_back(std::move(character));
    }
    return characters;
}

void totalUp(ScriptFacts &facts, const PageGrid &pages)
{
    ScriptTotals &script = facts.script;
    script.scenes = static_cast<int>(facts.scenes.size());
    script.characters = static_cast<int>(facts.characters.size());
    script.eighths = PageGrid::eighths(pages.totalPages(), pages.totalPages() > 0.0);
    script.runningMinutes = script.eighths / 8.0;
    const int lines = script.dialogueLines + script.actionLines;
    script.dialogueShare = lines > 0 ? double(script.dialogueLines) / lines : 0.0;
    for (CharacterFacts &character : facts.characters) {
        script.speakingCharacters += character.speeches > 0;
        character.speakingSeconds = character.dialogueWords / wordsPerSecond;
        character.dialogueShare =
            script.dialogueWords > 0 ? double(character.dialogueWords) / script.dialogueWords : 0.0;
    }
}

} // namespace

ScriptFacts scriptFacts(const FactsSources &sources)
{
    std::vector<SceneFacts> scenes = indexedScenes(sources);
    const std::vector<bool> headings = headingLines(sources, scenes);
    const CharacterList &speakers = sources.index.characters;
    const std::vector<RoledLine> roles =
        sources.timeCoded
            ? std::vector<RoledLine>()
            : lineRoles({sources.lines, speakers, sources.options, headings, sources.htmlSource});
    const PageGrid pages(sources.timeCoded ? QStringList() : sources.lines);
    for (SceneFacts &scene : scenes)
        describeScene(scene, sources, roles, pages);

    ScriptFacts facts;
    facts.scenes = countedScenes(std::move(scenes), sources);
    facts.characters = charactersOf(sources.index);
    countSpeech(roles, facts);
    countPresence(facts);
    facts.locations = locationsOf(facts.scenes);
    splitScenes(facts);
    measureCoPresence(sources, facts);
    totalUp(facts, pages);
    return facts;
}

ScriptFacts scriptFacts(const Analysis &analysis)
{
    if (!analysis.timeIndex)
        return {};
    return scriptFacts({analysis.textLines, *analysis.timeIndex, analysis.options,
                        analysis.format == QLatin1String("html"),
                        analysis.fileSuffix == QLatin1String("csv")});
}
