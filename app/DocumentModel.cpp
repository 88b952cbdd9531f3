#include "app/DocumentModel.h"

#include "scenes/SavedMarkup.h"

#include <utility>

void DocumentModel::clearScreenplay()
{
    if (releaseLines)
        releaseLines(std::exchange(textLines, QStringList()));
    else
        textLines.clear();
    characters.clear();
    includeCharacters.clear();
    speakerIndent = 0;
    // Breaks were set on the text of this screenplay; they mean nothing in another one.
    manualBreaks.clear();
}

MarkupSources DocumentModel::markupSources() const
{
    MarkupSources sources{textLines,    characters,   includeCharacters,
                          breakStrings, manualBreaks, options};
    sources.sceneClass = sceneClass;
    sources.breakStringClass = breakStringClass;
    sources.lastBreakPosition = lastBreakPosition;
    sources.htmlSource = format == QLatin1String("html");
    return sources;
}

void DocumentModel::takeMarkup(MarkupResult &&result)
{
    markupHtml = std::move(result.html);
    timeIndex = std::move(result.index);
    characters = std::move(result.characters);
    lastBreakPosition = result.lastBreakPosition;
}

QString DocumentModel::savedMarkup() const
{
    return savedMarkupText(timeIndex.get(), breakStringClass, markupHtml);
}
