#include "document/Analysis.h"

#include "scenes/MarkupBuilder.h"
#include "scenes/SavedMarkup.h"

QString Analysis::savedMarkup() const
{
    return savedMarkupText(timeIndex.get(), breakStringClass, markupHtml);
}

StorylineSteps Analysis::storylineSteps() const
{
    if (sessionSteps)
        return *sessionSteps;
    return timeIndex ? storylineStepsFromIndex(*timeIndex) : StorylineSteps();
}

MarkupSources markupSources(const Screenplay &screenplay, const AnalysisSettings &settings)
{
    MarkupSources sources{screenplay.textLines,  screenplay.characters, settings.includeCharacters,
                          settings.breakStrings, settings.manualBreaks, settings.options};
    sources.lastBreakPosition = settings.lastBreakPosition;
    sources.htmlSource = screenplay.format == QLatin1String("html");
    sources.sessionsSource = screenplay.format == QLatin1String("storyline");
    return sources;
}
