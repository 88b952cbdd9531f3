#include "document/AnalysisPipeline.h"

#include "characters/CharacterDiscovery.h"
#include "characters/CharacterListFile.h"
#include "characters/ConfigFile.h"
#include "characters/PaletteFile.h"
#include "reader/ScreenplayReader.h"
#include "scenes/BreakStringFile.h"
#include "support/StageProgress.h"

#include <QDir>
#include <QFileInfo>

SettingsPaths SettingsPaths::in(const QString &directory)
{
    const QDir dir(directory);
    SettingsPaths paths;
    paths.config = dir.filePath(paths.config);
    paths.breakStrings = dir.filePath(paths.breakStrings);
    paths.characters = dir.filePath(paths.characters);
    paths.colors = dir.filePath(paths.colors);
    return paths;
}

namespace {

const QString findingCharacters = QStringLiteral("Finding characters:");

// Reports the line reached and, during discovery, the characters found so far as the title.
StageProgress lineProgress(const StageProgress &progress, bool titleWithFound)
{
    StageProgress stage;
    stage.progressed = [&progress, titleWithFound](int line, int found) {
        progress.report(line);
        if (titleWithFound)
            progress.setTitle(findingCharacters + QLatin1Char(' ') + QString::number(found));
    };
    stage.canceled = progress.canceled;
    return stage;
}

DiscoveredCharacters findCharacters(const Screenplay &screenplay, const AnalysisSettings &settings,
                                    const StageProgress &progress)
{
    progress.begin(findingCharacters, screenplay.textLines.size());
    DiscoveredCharacters found;
    if (screenplay.format == QLatin1String("storyline")) {
        found = discoverSessionsCharacters(screenplay.textLines, settings.includeCharacters,
                                           settings.palette);
    } else if (screenplay.fileSuffix == QLatin1String("xml")) {
        walkXml(screenplay.filePath);
    } else {
        const auto discover = screenplay.fileSuffix == QLatin1String("csv")
                                  ? discoverCsvCharacters
                                  : discoverTextCharacters;
        AnalysisOptions options = settings.options;
        options.typedText = screenplay.format == QLatin1String("text");
        found = discover(screenplay.textLines, settings.includeCharacters, options,
                         settings.palette, lineProgress(progress, true));
    }
    progress.report(screenplay.textLines.size());
    progress.setTitle(findingCharacters + QLatin1Char(' ') +
                      QString::number(found.characters.size()));
    return found;
}

} // namespace

OpenedScreenplay openScreenplay(const QString &path, const AnalysisSettings &settings,
                                const SettingsPaths &paths, const StageProgress &progress)
{
    OpenedScreenplay opened;
    opened.settings = settings;
    progress.begin(QStringLiteral("Reading ") + screenplayFileName(path), 1000);
    ScreenplayText text = readScreenplayFile(path, lineProgress(progress, false));
    if (text.stopped) {
        progress.finish();
        return opened;
    }
    opened.outcome = text.ok() ? OpenOutcome::Read : OpenOutcome::Unread;
    Screenplay &screenplay = opened.screenplay;
    screenplay.filePath = path;
    screenplay.fileSuffix = path.isEmpty() ? QString() : QFileInfo(path).suffix();
    screenplay.textLines = std::move(text.lines);
    screenplay.format = text.format;
    screenplay.pageCount = text.pageCount;
    screenplay.readError = text.error;
    screenplay.printedLayout = text.printedLayout;
    // Breaks were set on the text of the screenplay open before; they mean nothing here.
    opened.settings.manualBreaks.clear();
    opened.settings.includeCharacters.clear();
    loadCharacterList(paths.characters, opened.settings.includeCharacters);
    loadPalette(paths.colors, opened.settings.palette);
    // A sessions file's characters are the names it gives, whatever the options say.
    if (opened.settings.options.findCharacters || screenplay.format == QLatin1String("storyline")) {
        DiscoveredCharacters found = findCharacters(screenplay, opened.settings, progress);
        screenplay.characters = std::move(found.characters);
        screenplay.speakerIndent = found.speakerIndent;
    }
    return opened;
}

std::shared_ptr<const Analysis> parseScreenplay(const Screenplay &screenplay,
                                                const AnalysisSettings &settings,
                                                const StageProgress &progress,
                                                const MarkupSink &sink)
{
    const QString parsing = QStringLiteral("Parsing Text");
    progress.begin(parsing, screenplay.textLines.size());
    progress.setTitle(parsing);
    MarkupResult made = buildMarkup(screenplay.fileSuffix, markupSources(screenplay, settings),
                                    lineProgress(progress, false), sink);
    auto analysis = std::make_shared<Analysis>();
    static_cast<Screenplay &>(*analysis) = screenplay;
    analysis->characters = std::move(made.characters);
    analysis->markupHtml = std::move(made.html);
    analysis->lastBreakPosition = made.lastBreakPosition;
    analysis->options = settings.options;
    analysis->sessionSteps = std::move(made.sessionSteps);
    const TimeIndexVector &index = *made.index;
    if (index.tooLarge)
        analysis->analysisError =
            QStringLiteral("%1 scenes with %2 characters are more than can be counted")
                .arg(index.scenes.size())
                .arg(index.characters.size());
    analysis->timeIndex = std::move(made.index);
    progress.report(screenplay.textLines.size());
    return analysis;
}

std::shared_ptr<const Analysis> analyseScreenplay(const QString &path, const SettingsPaths &paths)
{
    AnalysisSettings settings;
    readConfig(paths.config, settings.options);
    loadBreakStringFile(paths.breakStrings, settings.breakStrings);
    const OpenedScreenplay opened = openScreenplay(path, settings, paths, StageProgress());
    AnalysisSettings parsing = opened.settings;
    // As every parse does: options edited in config.txt since the last one count.
    readConfig(paths.config, parsing.options);
    return parseScreenplay(opened.screenplay, parsing, StageProgress());
}
