#include "scenes/CorpusSummary.h"

#include "facts/FactsColumns.h"
#include "scenes/CsvField.h"
#include "scenes/ResearchName.h"
#include "scenes/TimeIndexVector.h"

#include <algorithm>

namespace {

// A break string listed twice starts the same scenes; it gets one column.
QStringList distinctBreakStrings(const QStringList &breakStrings)
{
    QStringList distinct;
    for (const QString &entry : breakStrings) {
        if (!distinct.contains(entry))
            distinct.append(entry);
    }
    return distinct;
}

int dialogueLines(const TimeIndexVector &index, int characterIndex)
{
    int lines = 0;
    for (const Scene &scene : index.scenes) {
        if (characterIndex < scene.counts.size())
            lines += scene.counts.at(characterIndex);
    }
    return lines;
}

int scenesOfType(const TimeIndexVector &index, const QString &type)
{
    return static_cast<int>(std::count_if(index.scenes.begin(), index.scenes.end(),
                                          [&](const Scene &scene) { return scene.type == type; }));
}

// The character with most lines (the first in index order on a tie) and the characters in
// most scenes (all of them on a tie, joined by "; ").
struct Leaders
{
    QString mostLines;
    qint64 mostLinesCount = 0;
    qint64 allLines = 0;
    QStringList inMostScenes;
    int mostScenes = 0;
};

Leaders findLeaders(const TimeIndexVector &index)
{
    Leaders leaders;
    for (size_t k = 0; k < index.characters.size(); ++k) {
        const int position = static_cast<int>(k);
        const QString name = researchName(*index.characters[k]);
        const int lines = dialogueLines(index, position);
        leaders.allLines += lines;
        if (lines > leaders.mostLinesCount) {
            leaders.mostLinesCount = lines;
            leaders.mostLines = name;
        }
        const int scenes = scenesWithCharacter(index, position);
        if (scenes > leaders.mostScenes) {
            leaders.mostScenes = scenes;
            leaders.inMostScenes.clear();
        }
        if (scenes > 0 && scenes == leaders.mostScenes)
            leaders.inMostScenes.append(name);
    }
    return leaders;
}

QString share(qint64 part, qint64 whole)
{
    return whole > 0
               ? QString::number(static_cast<double>(part) / static_cast<double>(whole), 'f', 4)
               : QString();
}

QString pagesField(int pages)
{
    return pages >= 0 ? QString::number(pages) : QString();
}

} // namespace

QString corpusSummaryHeader(const QStringList &breakStrings)
{
    QStringList columns = {QStringLiteral("file"),         QStringLiteral("format"),
                           QStringLiteral("lines"),        QStringLiteral("pages"),
                           QStringLiteral("scenes"),       QStringLiteral("characters"),
                           QStringLiteral("speaker lines")};
    for (const QString &entry : distinctBreakStrings(breakStrings))
        columns.append(csvField(QStringLiteral("scenes ") + entry));
    columns << QStringLiteral("most lines") << QStringLiteral("most lines share")
            << QStringLiteral("most scenes") << QStringLiteral("most scenes count");
    columns << factsColumnNames() << QStringLiteral("failed") << QStringLiteral("reason");
    return columns.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString corpusFailureRow(const QString &file, const QString &format, const QString &failure,
                         const QStringList &breakStrings)
{
    SummarySource source;
    source.file = file;
    source.format = format;
    source.failure = failure;
    return corpusSummaryRow(source, breakStrings);
}

QString corpusSummaryRow(const SummarySource &source, const QStringList &breakStrings)
{
    const QStringList distinct = distinctBreakStrings(breakStrings);
    QStringList fields = {csvField(source.file), csvField(source.format)};
    if (source.index == nullptr) {
        // A file that could not be read has no lines to tell.
        fields << (source.lines > 0 ? QString::number(source.lines) : QString())
               << pagesField(source.pages);
        const int counted = 3 + distinct.size() + 4 + factsColumnNames().size();
        for (int empty = 0; empty < counted; ++empty)
            fields << QString();
        fields << QStringLiteral("yes") << csvField(source.failure);
        return fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    const TimeIndexVector &index = *source.index;
    const Leaders leaders = findLeaders(index);
    fields << QString::number(source.lines) << pagesField(source.pages)
           << QString::number(index.scenes.size()) << QString::number(index.characters.size())
           << QString::number(leaders.allLines);
    for (const QString &entry : distinct)
        fields << QString::number(scenesOfType(index, entry));
    fields << csvField(leaders.mostLines) << share(leaders.mostLinesCount, leaders.allLines)
           << csvField(leaders.inMostScenes.join(QStringLiteral("; ")))
           << QString::number(leaders.mostScenes);
    if (source.facts != nullptr)
        fields << factsColumnFields(*source.facts);
    else
        for (int empty = 0; empty < factsColumnNames().size(); ++empty)
            fields << QString();
    fields << QStringLiteral("no") << QString();
    return fields.join(QLatin1Char(',')) + QLatin1Char('\n');
}
