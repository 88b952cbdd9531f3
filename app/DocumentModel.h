#pragma once

#include "characters/AnalysisOptions.h"
#include "characters/Character.h"
#include "reader/PrintedLayout.h"
#include "scenes/MarkupBuilder.h"
#include "scenes/TimeIndexVector.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

// Everything one analysis works on: the screenplay's lines, its characters, the scene
// index of the last parse and the settings that steer it. The main window owns one; the
// command-line tool makes one per screenplay.
struct DocumentModel
{
    QStringList textLines;
    QString filePath;
    QString fileSuffix;    // compared case-sensitively with "xml" and "csv"
    QString format;        // what the reader read the file as ("text", "fountain", ...)
    qint32 pageCount = -1; // -1 where the format does not say
    QString readError;     // why the file could not be read; empty when it was
    std::optional<PrintedLayout> printedLayout; // how printed pages (PDF) were read
    QString analysisError; // why the last parse could not count the screenplay; or empty

    CharacterList characters;
    CharacterList includeCharacters;
    qint32 speakerIndent = 0;
    QVector<QColor> palette;

    QStringList breakStrings;
    QVector<float> manualBreaks;
    float lastBreakPosition = 0.0f; // position of the previously marked-up line
    std::unique_ptr<TimeIndexVector> timeIndex;

    QByteArray markupHtml; // UTF-8
    QString sceneClass = QStringLiteral("scene");
    QString breakStringClass = QStringLiteral("breakString");
    QColor sceneColorA{255, 255, 255, 255};
    QColor sceneColorB{240, 240, 240, 255};

    AnalysisOptions options;
    // How clearScreenplay lets go of the lines; when unset they are freed at once. The window
    // frees them off its thread, as millions of lines take a second or more.
    std::function<void(QStringList &&)> releaseLines;

    // Forgets the screenplay (lines, character lists, manual breaks) before another is
    // opened; options, palette, break strings and the last parse stay.
    void clearScreenplay();
    // What a markup pass over this document reads.
    MarkupSources markupSources() const;
    // Keeps what a markup pass made.
    void takeMarkup(MarkupResult &&result);
    // The text of File > "Save Markup" for the last parse.
    QString savedMarkup() const;
};
