#pragma once

// The analysis stages called on a whole document, as the load pipeline calls them: lets the
// tests keep their document builders while the stages take only what they use.

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"
#include "characters/CharacterDiscovery.h"
#include "reader/StageProgress.h"
#include "scenes/MarkupBuilder.h"
#include "scenes/MarkupStyles.h"
#include "scenes/SavedMarkup.h"
#include "scenes/TimedMarkup.h"

inline StageProgress stageProgress(AnalysisProgress &progress)
{
    StageProgress stage;
    stage.progressed = [&progress](int value, int found) {
        progress.setValue(value);
        if (found >= 0)
            progress.setTitle(QStringLiteral("Finding characters: ") + QString::number(found));
    };
    stage.canceled = [&progress] {
        return progress.wasCanceled();
    };
    return stage;
}

inline void keepDiscovery(DocumentModel &document, DiscoveredCharacters &&found)
{
    document.characters = std::move(found.characters);
    document.speakerIndent = found.speakerIndent;
}

inline void discoverTextCharacters(DocumentModel &document, AnalysisProgress &progress)
{
    keepDiscovery(document, discoverTextCharacters(document.textLines, document.includeCharacters,
                                                   document.options, document.palette,
                                                   stageProgress(progress)));
}

inline void discoverCsvCharacters(DocumentModel &document, AnalysisProgress &progress)
{
    keepDiscovery(document, discoverCsvCharacters(document.textLines, document.includeCharacters,
                                                  document.options, document.palette,
                                                  stageProgress(progress)));
}

inline CharacterPtr findOrAddCharacter(DocumentModel &document, const QStringList &words)
{
    return findOrAddCharacter(document.characters, document.includeCharacters, words);
}

inline QString keepMarkup(DocumentModel &document, MarkupResult &&result)
{
    const QString html = result.html;
    document.takeMarkup(std::move(result));
    return html;
}

inline QString buildMarkup(DocumentModel &document, AnalysisProgress &progress)
{
    return keepMarkup(document, buildMarkup(document.fileSuffix, document.markupSources(),
                                            stageProgress(progress)));
}

inline QString markupText(DocumentModel &document, AnalysisProgress &progress)
{
    return keepMarkup(document, markupText(document.markupSources(), stageProgress(progress)));
}

inline QString markupTimed(DocumentModel &document, AnalysisProgress &progress)
{
    return keepMarkup(document, markupTimed(document.markupSources(), stageProgress(progress)));
}

inline QString markupLine(DocumentModel &document, const QString &line, float x)
{
    return markupLine(document.markupSources(), *document.timeIndex, line, x);
}

inline QString savedMarkupText(const DocumentModel &document)
{
    return document.savedMarkup();
}

inline bool saveMarkup(const QString &path, const DocumentModel &document)
{
    return saveMarkup(path, document.timeIndex.get(), document.breakStringClass,
                      document.markupHtml);
}

inline std::vector<ElementStyle> markupElementStyles(const DocumentModel &document)
{
    return markupElementStyles(document.timeIndex.get(), document.breakStringClass);
}

inline QString sceneBackground(const DocumentModel &document, int sceneNumber)
{
    return sceneBackground(document.sceneColorA, document.sceneColorB, sceneNumber);
}
