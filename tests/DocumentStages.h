#pragma once

// The analysis stages called on a whole document, as the load pipeline calls them: lets the
// tests keep their document builders while the stages take only what they use.

#include "characters/CharacterDiscovery.h"
#include "document/Analysis.h"
#include "scenes/MarkupBuilder.h"
#include "scenes/MarkupStyles.h"
#include "scenes/SavedMarkup.h"
#include "scenes/TimedMarkup.h"
#include "support/StageProgress.h"

// What the stage tests build and run the stages on: a screenplay, the settings of a parse and
// what the last markup pass made, in one place each stage reads and writes.
struct TestDocument : Screenplay, AnalysisSettings
{
    std::unique_ptr<TimeIndexVector> timeIndex;
    QByteArray markupHtml;
    QString sceneClass = QStringLiteral("scene");
    QString breakStringClass = QStringLiteral("breakString");
    QColor sceneColorA{255, 255, 255, 255};
    QColor sceneColorB{240, 240, 240, 255};

    MarkupSources markupSources() const { return ::markupSources(*this, *this); }
    void takeMarkup(MarkupResult &&result)
    {
        markupHtml = std::move(result.html);
        timeIndex = std::move(result.index);
        characters = std::move(result.characters);
        lastBreakPosition = result.lastBreakPosition;
    }
    QString savedMarkup() const
    {
        return savedMarkupText(timeIndex.get(), breakStringClass, markupHtml);
    }
};

inline void keepDiscovery(TestDocument &document, DiscoveredCharacters &&found)
{
    document.characters = std::move(found.characters);
    document.speakerIndent = found.speakerIndent;
}

inline void discoverTextCharacters(TestDocument &document, const StageProgress &progress = {})
{
    keepDiscovery(document, discoverTextCharacters(document.textLines, document.includeCharacters,
                                                   document.options, document.palette, progress));
}

inline void discoverCsvCharacters(TestDocument &document, const StageProgress &progress = {})
{
    keepDiscovery(document, discoverCsvCharacters(document.textLines, document.includeCharacters,
                                                  document.options, document.palette, progress));
}

inline CharacterPtr findOrAddCharacter(TestDocument &document, const QStringList &words)
{
    return findOrAddCharacter(document.characters, document.includeCharacters, words);
}

inline QString keepMarkup(TestDocument &document, MarkupResult &&result)
{
    const QString html = result.html;
    document.takeMarkup(std::move(result));
    return html;
}

inline QString buildMarkup(TestDocument &document, const StageProgress &progress = {})
{
    return keepMarkup(document,
                      buildMarkup(document.fileSuffix, document.markupSources(), progress));
}

inline QString markupText(TestDocument &document, const StageProgress &progress = {})
{
    return keepMarkup(document, markupText(document.markupSources(), progress));
}

inline QString markupTimed(TestDocument &document, const StageProgress &progress = {})
{
    return keepMarkup(document, markupTimed(document.markupSources(), progress));
}

inline QString markupLine(TestDocument &document, const QString &line, float x)
{
    return markupLine(document.markupSources(), *document.timeIndex, line, x);
}

inline QString savedMarkupText(const TestDocument &document)
{
    return document.savedMarkup();
}

inline bool saveMarkup(const QString &path, const TestDocument &document)
{
    return saveMarkup(path, document.timeIndex.get(), document.breakStringClass,
                      document.markupHtml);
}

inline std::vector<ElementStyle> markupElementStyles(const TestDocument &document)
{
    return markupElementStyles(document.timeIndex.get(), document.breakStringClass);
}

inline QString sceneBackground(const TestDocument &document, int sceneNumber)
{
    return sceneBackground(document.sceneColorA, document.sceneColorB, sceneNumber);
}
