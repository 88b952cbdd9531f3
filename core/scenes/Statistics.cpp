#include "scenes/Statistics.h"

#include "reader/TextFile.h"
#include "scenes/CsvField.h"
#include "scenes/TimeIndexVector.h"

#include <climits>
#include <cmath>

namespace {

QString decimal(float value)
{
    return QString::number(static_cast<double>(value), 'g', 6);
}

int counterAt(const Scene &scene, int characterIndex)
{
    return characterIndex < scene.counts.size() ? scene.counts.at(characterIndex) : 0;
}

// The scene's length in lines, truncated toward zero; a value no int can hold is clamped
// rather than converted with undefined behaviour.
int lineSpan(float length, int lineCount)
{
    const float lines = length * static_cast<float>(lineCount);
    if (!std::isfinite(lines))
        return 0;
    if (lines >= static_cast<float>(INT_MAX))
        return INT_MAX;
    if (lines <= static_cast<float>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(lines);
}

CharacterStatistics statisticsFor(int characterIndex, const std::vector<Scene> &scenes)
{
    CharacterStatistics statistics;
    bool present = false;
    for (const Scene &scene : scenes) {
        const int counter = counterAt(scene, characterIndex);
        statistics.numDialogueLines += counter;
        if (counter != 0) {
            ++statistics.numScenes;
            statistics.perInvolved += scene.end - scene.start;
            if (!present) {
                if (statistics.startTime < 0.0f)
                    statistics.startTime = scene.start;
                present = true;
            }
        } else if (present) {
            // A run ends with the first scene that lacks the character.
            statistics.stopTime = scene.start;
            present = false;
        }
    }
    // A run still open when the screenplay ends stops where the last scene does.
    if (present)
        statistics.stopTime = scenes.back().end;
    return statistics;
}

QString sceneRow(const TimeIndexVector &index, int sceneNumber, int lineCount)
{
    const Scene &scene = index.scenes[static_cast<size_t>(sceneNumber)];
    int present = 0;
    QString names;
    for (int k = 0; k < scene.counts.size(); ++k) {
        if (scene.counts.at(k) <= 0)
            continue;
        ++present;
        if (k < static_cast<int>(index.characters.size()))
            names += index.characters[static_cast<size_t>(k)]->displayText();
        names += QLatin1Char(';');
    }
    const float length = scene.end - scene.start;
    const QChar comma(QLatin1Char(','));
    QString row;
    row += QString::number(sceneNumber) + comma;
    row += csvField(scene.type) + comma;
    row += QString::number(present) + comma;
    row += decimal(scene.start) + comma;
    row += decimal(scene.end) + comma;
    row += decimal(length) + comma;
    row += QString::number(lineSpan(length, lineCount)) + comma;
    row += QString::number(scene.pages.isEmpty() ? 0 : scene.pages.first()) + comma;
    row += QString::number(scene.pages.isEmpty() ? 0 : scene.pages.last()) + comma;
    row += csvField(names) + comma;
    row += QLatin1Char('\n');
    return row;
}

} // namespace

std::vector<CharacterStatistics> characterStatistics(const TimeIndexVector &index)
{
    std::vector<CharacterStatistics> rows;
    rows.reserve(index.characters.size());
    for (size_t j = 0; j < index.characters.size(); ++j)
        rows.push_back(statisticsFor(static_cast<int>(j), index.scenes));
    return rows;
}

QString characterStatsCsv(const TimeIndexVector &index)
{
    const std::vector<CharacterStatistics> rows = characterStatistics(index);
    QString text = QStringLiteral(
        "characters,NumScenes,NumDialogueLines,NumInstances,PerInvolved,Start,Stop,\n");
    const QChar comma(QLatin1Char(','));
    for (size_t j = 0; j < rows.size(); ++j) {
        const Character &character = *index.characters[j];
        const CharacterStatistics &row = rows[j];
        text += csvField(character.displayText()) + comma;
        text += QString::number(row.numScenes) + comma;
        text += QString::number(row.numDialogueLines) + comma;
        text += QString::number(character.count) + comma;
        text += decimal(row.perInvolved) + comma;
        text += decimal(row.startTime) + comma;
        text += decimal(row.stopTime) + comma;
        text += QLatin1Char('\n');
    }
    return text;
}

QString sceneStatsCsv(const TimeIndexVector &index, int lineCount)
{
    QString text = QStringLiteral("SceneNumber,Type,NumCharacters,Start,Stop,Length,NumLines,"
                                  "startPage,endPage,Characters,\n");
    for (int i = 0; i < static_cast<int>(index.scenes.size()); ++i)
        text += sceneRow(index, i, lineCount);
    return text;
}

bool writeCharacterStats(const QString &path, const TimeIndexVector &index, QString *reason)
{
    return TextFile::writeText(path, characterStatsCsv(index), reason);
}

bool writeSceneStats(const QString &path, const TimeIndexVector &index, int lineCount,
                     QString *reason)
{
    return TextFile::writeText(path, sceneStatsCsv(index, lineCount), reason);
}
