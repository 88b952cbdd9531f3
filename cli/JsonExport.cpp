#include "JsonExport.h"

#include "characters/ConfigFile.h"
#include "characters/Option.h"
#include "document/Analysis.h"
#include "scenes/ResearchName.h"
#include "storyline/StorylineLayout.h"

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

QJsonValue columnToJson(double inches)
{
    return inches < 0.0 ? QJsonValue() : QJsonValue(inches);
}

QString pageSizeName(double width, double height)
{
    const auto near = [](double a, double b) {
        return std::abs(a - b) <= 2.0;
    };
    if (near(width, 612.0) && near(height, 792.0))
        return QStringLiteral("US Letter");
    if (near(width, 595.0) && near(height, 842.0))
        return QStringLiteral("A4");
    if (near(width, 612.0) && near(height, 1008.0))
        return QStringLiteral("US Legal");
    return QString();
}

// What a user needs to see why a printed screenplay read as it did. Columns are inches from
// the page's left edge, null where no line was read as that element.
QJsonObject printedLayoutToJson(const PrintedLayout &layout)
{
    QJsonObject page;
    page.insert(QStringLiteral("width"), qRound(layout.pageWidth * 100.0) / 100.0);
    page.insert(QStringLiteral("height"), qRound(layout.pageHeight * 100.0) / 100.0);
    const QString name = pageSizeName(layout.pageWidth, layout.pageHeight);
    page.insert(QStringLiteral("name"), name.isEmpty() ? QJsonValue() : QJsonValue(name));
    QJsonObject columns;
    columns.insert(QStringLiteral("action"), columnToJson(layout.actionColumn));
    columns.insert(QStringLiteral("cue"), columnToJson(layout.cueColumn));
    columns.insert(QStringLiteral("parenthetical"), columnToJson(layout.parentheticalColumn));
    columns.insert(QStringLiteral("dialogue"), columnToJson(layout.dialogueColumn));
    QJsonObject object;
    object.insert(QStringLiteral("page"), page);
    object.insert(QStringLiteral("columns"), columns);
    object.insert(QStringLiteral("titlePages"), toJsonArray(layout.titlePages));
    object.insert(QStringLiteral("numberedScenes"), layout.numberedScenes);
    object.insert(QStringLiteral("numberedSpeeches"), layout.numberedSpeeches);
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
    if (document.printedLayout)
        object.insert(QStringLiteral("layout"), printedLayoutToJson(*document.printedLayout));
    object.insert(QStringLiteral("characters"), characters);
    object.insert(QStringLiteral("scenes"), scenes);
    return object;
}

QJsonObject storylineToJson(const StorylineLayout &layout, const QStringList &names)
{
    QJsonObject lines;
    for (int c = 0; c < static_cast<int>(layout.lineSlots.size()) && c < names.size(); ++c) {
        QJsonArray line;
        for (const int slot : layout.lineSlots[c])
            line.append(slot >= 0 ? QJsonValue(slot) : QJsonValue());
        lines.insert(names.at(c), line);
    }
    QJsonObject object;
    object.insert(QStringLiteral("steps"), layout.stepCount);
    object.insert(QStringLiteral("crossings"), layout.crossings);
    object.insert(QStringLiteral("wiggles"), layout.wiggles);
    object.insert(QStringLiteral("lines"), lines);
    return object;
}
