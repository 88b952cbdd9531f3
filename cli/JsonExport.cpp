#include "JsonExport.h"

#include "characters/ConfigFile.h"
#include "characters/Option.h"
#include "document/Analysis.h"
#include "scenes/ResearchName.h"

#include <QJsonArray>

#include <charconv>
#include <cmath>

namespace {

QJsonArray toJsonArray(const QVector<qint32> &values)
{
    QJsonArray array;
    for (const qint32 value : values)
        array.append(value);
    return array;
}

QJsonObject characterToJson(const Character &character, int scenes)
{
    QJsonObject object;
    object.insert(QStringLiteral("names"), QJsonArray::fromStringList(character.names));
    object.insert(QStringLiteral("count"), character.count);
    object.insert(QStringLiteral("indent"), character.indent);
    object.insert(QStringLiteral("color"), character.color.name());
    object.insert(QStringLiteral("forced"), character.forcedColor);
    object.insert(QStringLiteral("scenes"), scenes);
    return object;
}

// The options by their config.txt keys, with the values they had.
QJsonObject optionsToJson(AnalysisOptions options)
{
    QJsonObject object;
    for (const auto &option : makeAnalysisOptions(options)) {
        if (option->boolValue != nullptr)
            object.insert(option->name, *option->boolValue);
        else if (option->intValue != nullptr)
            object.insert(option->name, *option->intValue);
    }
    return object;
}

QJsonObject sceneToJson(const Scene &scene)
{
    QJsonObject object;
    object.insert(QStringLiteral("type"), scene.type);
    object.insert(QStringLiteral("start"), jsonNumber(scene.start));
    object.insert(QStringLiteral("end"), jsonNumber(scene.end));
    object.insert(QStringLiteral("pages"), toJsonArray(scene.pages));
    object.insert(QStringLiteral("counts"), toJsonArray(scene.counts));
    return object;
}

} // namespace

double jsonNumber(float value)
{
    if (!std::isfinite(value))
        return 0.0;
    // to_chars and from_chars ignore the locale, unlike printf and strtod.
    char digits[32];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
    double shortest = 0.0;
    std::from_chars(digits, written.ptr, shortest);
    return shortest;
}

QJsonObject documentToJson(const QString &file, const Analysis &document, int lineCount)
{
    QJsonArray characters;
    QJsonArray scenes;
    // The index's snapshot, not document.characters: the scenes count exactly these, and
    // the markup may have appended further characters that were never counted.
    if (document.timeIndex) {
        const CharacterList &indexed = document.timeIndex->characters;
        for (int k = 0; k < static_cast<int>(indexed.size()); ++k)
            characters.append(
                characterToJson(*indexed[k], scenesWithCharacter(*document.timeIndex, k)));
        for (const Scene &scene : document.timeIndex->scenes)
            scenes.append(sceneToJson(scene));
    }
    QJsonObject object;
    object.insert(QStringLiteral("file"), file);
    object.insert(QStringLiteral("lines"), lineCount);
    object.insert(QStringLiteral("speakerIndent"), document.speakerIndent);
    object.insert(QStringLiteral("options"), optionsToJson(document.options));
    object.insert(QStringLiteral("characters"), characters);
    object.insert(QStringLiteral("scenes"), scenes);
    return object;
}
