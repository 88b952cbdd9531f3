#include "FactsJson.h"

#include "facts/ScriptFacts.h"

#include <QJsonArray>

#include <cmath>

namespace {

double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

double pages(int eighths)
{
    return eighths / 8.0;
}

QJsonArray numbers(const std::vector<int> &values)
{
    QJsonArray array;
    for (const int value : values)
        array.append(value);
    return array;
}

QJsonValue sceneNumber(int number)
{
    return number < 0 ? QJsonValue() : QJsonValue(number);
}

QJsonArray sharesToJson(const std::vector<FactShare> &shares, const QString &name)
{
    QJsonArray array;
    for (const FactShare &share : shares) {
        QJsonObject object;
        object.insert(name, share.value);
        object.insert(QStringLiteral("scenes"), share.scenes);
        object.insert(QStringLiteral("pages"), pages(share.eighths));
        array.append(object);
    }
    return array;
}

QJsonArray namesOf(const std::vector<int> &positions, const ScriptFacts &facts)
{
    QJsonArray names;
    for (const int position : positions) {
        if (position < static_cast<int>(facts.characters.size()))
            names.append(facts.characters[static_cast<size_t>(position)].name);
    }
    return names;
}

QJsonObject networkToJson(const NetworkMeasures &network, const ScriptFacts &facts)
{
    QJsonObject object;
    object.insert(QStringLiteral("nodes"), network.nodes);
    object.insert(QStringLiteral("edges"), network.edges);
    object.insert(QStringLiteral("density"), rounded(network.density, 4));
    object.insert(QStringLiteral("averageDegree"), rounded(network.averageDegree, 4));
    object.insert(QStringLiteral("maxDegree"), network.maximumDegree);
    object.insert(QStringLiteral("maxDegreeCharacters"),
                  namesOf(network.maximumDegreeNodes, facts));
    object.insert(QStringLiteral("averageClustering"),
                  network.clusteringMeasured ? QJsonValue(rounded(network.averageClustering, 4))
                                             : QJsonValue());
    object.insert(QStringLiteral("components"), network.components);
    object.insert(QStringLiteral("diameter"),
                  network.pathsMeasured ? QJsonValue(network.diameter) : QJsonValue());
    object.insert(QStringLiteral("averagePathLength"),
                  network.pathsMeasured ? QJsonValue(rounded(network.averagePathLength, 4))
                                        : QJsonValue());
    return object;
}

// The ten locations with most scenes.
QJsonArray topLocations(const ScriptFacts &facts)
{
    QJsonArray array;
    for (size_t i = 0; i < facts.locations.size() && i < 10; ++i) {
        QJsonObject object;
        object.insert(QStringLiteral("location"), facts.locations[i].name);
        object.insert(QStringLiteral("scenes"), facts.locations[i].scenes);
        object.insert(QStringLiteral("pages"), pages(facts.locations[i].eighths));
        array.append(object);
    }
    return array;
}

QJsonObject scriptToJson(const ScriptFacts &facts)
{
    const ScriptTotals &script = facts.script;
    QJsonObject object;
    object.insert(QStringLiteral("pages"), pages(script.eighths));
    object.insert(QStringLiteral("scenes"), script.scenes);
    object.insert(QStringLiteral("characters"), script.characters);
    object.insert(QStringLiteral("speakingCharacters"), script.speakingCharacters);
    object.insert(QStringLiteral("speeches"), script.speeches);
    object.insert(QStringLiteral("actionLines"), script.actionLines);
    object.insert(QStringLiteral("dialogueLines"), script.dialogueLines);
    object.insert(QStringLiteral("dialogueWords"), script.dialogueWords);
    object.insert(QStringLiteral("dialogueShare"), rounded(script.dialogueShare, 4));
    object.insert(QStringLiteral("runningMinutes"), rounded(script.runningMinutes, 1));
    object.insert(QStringLiteral("interiors"),
                  sharesToJson(script.interiors, QStringLiteral("interior")));
    object.insert(QStringLiteral("times"), sharesToJson(script.times, QStringLiteral("time")));
    object.insert(QStringLiteral("topLocations"), topLocations(facts));
    object.insert(QStringLiteral("network"), networkToJson(script.network, facts));
    return object;
}

QJsonObject sceneToJson(const SceneFacts &scene, const ScriptFacts &facts)
{
    QJsonObject object;
    object.insert(QStringLiteral("number"), scene.number);
    object.insert(QStringLiteral("type"), scene.type);
    object.insert(QStringLiteral("heading"), scene.heading);
    object.insert(QStringLiteral("interior"), scene.interior);
    object.insert(QStringLiteral("location"), scene.location);
    object.insert(QStringLiteral("time"), scene.time);
    object.insert(QStringLiteral("pages"), pages(scene.eighths));
    object.insert(QStringLiteral("actionLines"), scene.actionLines);
    object.insert(QStringLiteral("dialogueLines"), scene.dialogueLines);
    object.insert(QStringLiteral("speeches"), scene.speeches);
    object.insert(QStringLiteral("characters"), namesOf(scene.characters, facts));
    return object;
}

QJsonObject characterToJson(const CharacterFacts &character)
{
    QJsonObject object;
    object.insert(QStringLiteral("name"), character.name);
    object.insert(QStringLiteral("speeches"), character.speeches);
    object.insert(QStringLiteral("dialogueLines"), character.dialogueLines);
    object.insert(QStringLiteral("dialogueWords"), character.dialogueWords);
    object.insert(QStringLiteral("speakingSeconds"), rounded(character.speakingSeconds, 1));
    object.insert(QStringLiteral("scenes"), character.scenes);
    object.insert(QStringLiteral("firstScene"), sceneNumber(character.firstScene));
    object.insert(QStringLiteral("lastScene"), sceneNumber(character.lastScene));
    object.insert(QStringLiteral("dialogueShare"), rounded(character.dialogueShare, 4));
    object.insert(QStringLiteral("locations"), QJsonArray::fromStringList(character.locations));
    object.insert(QStringLiteral("degree"), character.degree);
    object.insert(QStringLiteral("weightedDegree"), character.weightedDegree);
    object.insert(QStringLiteral("betweenness"),
                  character.betweenness < 0.0 ? QJsonValue()
                                              : QJsonValue(rounded(character.betweenness, 6)));
    return object;
}

QJsonObject locationToJson(const LocationFacts &location)
{
    QJsonObject object;
    object.insert(QStringLiteral("location"), location.name);
    object.insert(QStringLiteral("scenes"), location.scenes);
    object.insert(QStringLiteral("sceneNumbers"), numbers(location.sceneNumbers));
    object.insert(QStringLiteral("pages"), pages(location.eighths));
    object.insert(QStringLiteral("interiors"),
                  sharesToJson(location.interiors, QStringLiteral("interior")));
    object.insert(QStringLiteral("times"), sharesToJson(location.times, QStringLiteral("time")));
    return object;
}

} // namespace

QJsonObject factsToJson(const QString &file, const ScriptFacts &facts)
{
    QJsonArray scenes;
    for (const SceneFacts &scene : facts.scenes)
        scenes.append(sceneToJson(scene, facts));
    QJsonArray characters;
    for (const CharacterFacts &character : facts.characters)
        characters.append(characterToJson(character));
    QJsonArray locations;
    for (const LocationFacts &location : facts.locations)
        locations.append(locationToJson(location));
    QJsonObject object;
    object.insert(QStringLiteral("file"), file);
    object.insert(QStringLiteral("script"), scriptToJson(facts));
    object.insert(QStringLiteral("scenes"), scenes);
    object.insert(QStringLiteral("characters"), characters);
    object.insert(QStringLiteral("locations"), locations);
    return object;
}
