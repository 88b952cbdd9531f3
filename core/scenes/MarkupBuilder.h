#pragma once

#include "characters/AnalysisOptions.h"
#include "characters/Character.h"
#include "scenes/TimeIndexVector.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

struct StageProgress;

// What a markup pass reads. The references must outlive the pass.
struct MarkupSources
{
    const QStringList &lines;
    const CharacterList &characters;
    const CharacterList &includeCharacters;
    const QStringList &breakStrings;
    const QVector<float> &manualBreaks;
    const AnalysisOptions &options;
    QString sceneClass = QStringLiteral("scene");
    QString breakStringClass = QStringLiteral("breakString");
    // Position of the line marked up last by the previous pass; manual breaks at or before
    // it are not taken again at the first line.
    float lastBreakPosition = 0.0f;
    // The lines are HTML (kept through an allow-list) rather than plain text (escaped).
    bool htmlSource = false;
};

// What a markup pass makes.
struct MarkupResult
{
    // UTF-8: half the size of a QString for the ASCII a screenplay's markup nearly is.
    QByteArray html;
    // Scenes and per-scene counts over a snapshot of the characters taken when the pass
    // started.
    std::unique_ptr<TimeIndexVector> index;
    // The characters after the pass: include characters met in the text have joined them.
    CharacterList characters;
    float lastBreakPosition = 0.0f;
    // Time-coded records left out for a negative, non-finite or huge time.
    int skippedRecords = 0;
};

// Where a pass may put its markup as it makes it, instead of into MarkupResult::html (which
// then stays empty): the UTF-8 in order, a piece of about a megabyte at a time, so the
// markup of a very large screenplay never has to be held whole. Passes that must see the
// whole markup first (an HTML screenplay's goes through the allow-list) hand it over in one.
using MarkupSink = std::function<void(const QByteArray &piece)>;

// Chooses the pass by the file suffix: "xml" gives "" and no scene, "csv" the time-coded
// pass, anything else markupText.
MarkupResult buildMarkup(const QString &fileSuffix, const MarkupSources &sources,
                         const StageProgress &progress, const MarkupSink &sink = {});
MarkupResult markupText(const MarkupSources &sources, const StageProgress &progress,
                        const MarkupSink &sink = {});
// One line at position x (line index / number of lines), as markupText marks it up,
// counting into `index`.
QString markupLine(const MarkupSources &sources, TimeIndexVector &index, const QString &line,
                   float x);
