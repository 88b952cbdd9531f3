#pragma once

#include "characters/AnalysisOptions.h"
#include "characters/Character.h"
#include "reader/PrintedLayout.h"
#include "scenes/TimeIndexVector.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <optional>

struct MarkupSources;

// What the user sets between parses, besides the screenplay: the window keeps one for its
// whole life, the command-line tool one per run.
struct AnalysisSettings
{
    AnalysisOptions options;
    CharacterList includeCharacters;
    QVector<QColor> palette;
    QStringList breakStrings;
    QVector<float> manualBreaks; // set on one screenplay's text; emptied when another opens
    // Position of the line the previous parse marked up last (even of another screenplay);
    // manual breaks at or before it are not taken again at the first line.
    float lastBreakPosition = 0.0f;
};

// A screenplay as reading and character discovery leave it: what a parse starts from.
struct Screenplay
{
    QString filePath;
    QString fileSuffix;    // compared case-sensitively with "xml" and "csv"
    QString format;        // what the reader read the file as ("text", "fountain", ...)
    qint32 pageCount = -1; // -1 where the format does not say
    QString readError;     // why the file could not be read; empty when it was
    // What was read or counted otherwise than the file says (bytes that are not UTF-8,
    // records left out), one sentence naming the file each; empty when nothing was.
    QStringList warnings;
    std::optional<PrintedLayout> printedLayout; // how printed pages (PDF) were read
    QStringList textLines;
    CharacterList characters;
    qint32 speakerIndent = 0;
};

// One analysed screenplay: the screenplay (its characters as the parse left them: include
// characters met in the text have joined them), the scene index and the markup of the parse.
// It is made whole by AnalysisSession::parse and not changed afterwards; the window's parts and the
// command-line outputs share it read-only. (The character records stay shared and mutable:
// the user recolours them.)
struct Analysis : Screenplay
{
    std::shared_ptr<const TimeIndexVector> timeIndex; // never null once parsed
    QByteArray markupHtml;                            // UTF-8; empty when it went to a sink
    AnalysisOptions options;                          // as the parse read them
    float lastBreakPosition = 0.0f;
    QString analysisError; // why the parse could not count the screenplay; or empty

    QString sceneClass = QStringLiteral("scene");
    QString breakStringClass = QStringLiteral("breakString");
    QColor sceneColorA{255, 255, 255, 255};
    QColor sceneColorB{240, 240, 240, 255};

    // The text of File > "Save Markup".
    QString savedMarkup() const;
};

// What a markup pass over `screenplay` with `settings` reads; both must outlive the pass.
MarkupSources markupSources(const Screenplay &screenplay, const AnalysisSettings &settings);
