#include "app/LoadPipeline.h"

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"
#include "characters/CharacterDiscovery.h"
#include "characters/CharacterListFile.h"
#include "characters/ConfigFile.h"
#include "characters/PaletteFile.h"
#include "reader/ScreenplayReader.h"
#include "reader/StageProgress.h"
#include "scenes/BreakStringFile.h"
#include "scenes/MarkupBuilder.h"

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

// Reports discovery to the dialog: the line reached and the characters found so far.
StageProgress discoveryProgress(AnalysisProgress &progress)
{
    const QString titlePrefix = QStringLiteral("Finding characters: ");
    StageProgress stage;
    stage.progressed = [&progress, titlePrefix](int line, int found) {
        progress.setValue(line);
        progress.setTitle(titlePrefix + QString::number(found));
    };
    stage.canceled = [&progress] {
        return progress.wasCanceled();
    };
    return stage;
}

StageProgress lineProgress(AnalysisProgress &progress)
{
    StageProgress stage;
    stage.progressed = [&progress](int line, int) {
        progress.setValue(line);
    };
    stage.canceled = [&progress] {
        return progress.wasCanceled();
    };
    return stage;
}

void findCharacters(DocumentModel &document, AnalysisProgress &progress)
{
    progress.begin(QStringLiteral("Finding characters:"), document.textLines.size());
    const StageProgress stage = discoveryProgress(progress);
    if (document.fileSuffix == QLatin1String("xml")) {
        walkXml(document.filePath);
    } else {
        const auto discover = document.fileSuffix == QLatin1String("csv") ? discoverCsvCharacters
                                                                          : discoverTextCharacters;
        AnalysisOptions options = document.options;
        options.typedText = document.format == QLatin1String("text");
        DiscoveredCharacters found = discover(document.textLines, document.includeCharacters,
                                              options, document.palette, stage);
        document.characters = std::move(found.characters);
        document.speakerIndent = found.speakerIndent;
    }
    progress.setValue(document.textLines.size());
    progress.setTitle(QStringLiteral("Finding characters: ") +
                      QString::number(document.characters.size()));
}

} // namespace

OpenOutcome openScreenplay(DocumentModel &document, const QString &path,
                           const SettingsPaths &settings, AnalysisProgress &progress)
{
    // The file is read before the document is emptied, so that a reading the user stops
    // leaves the open screenplay as it was.
    progress.begin(QStringLiteral("Reading ") + screenplayFileName(path), 1000);
    ScreenplayText text = readScreenplayFile(path, lineProgress(progress));
    if (text.stopped) {
        progress.finish();
        return OpenOutcome::Stopped;
    }
    document.clearScreenplay();
    document.filePath = path;
    document.fileSuffix = path.isEmpty() ? QString() : QFileInfo(path).suffix();
    loadCharacterList(settings.characters, document.includeCharacters);
    document.textLines = std::move(text.lines);
    document.format = text.format;
    document.pageCount = text.pageCount;
    document.readError = text.error;
    document.printedLayout = text.printedLayout;
    loadPalette(settings.colors, document.palette);
    if (document.options.findCharacters)
        findCharacters(document, progress);
    return text.ok() ? OpenOutcome::Read : OpenOutcome::Unread;
}

void parseDocument(DocumentModel &document, const SettingsPaths &settings,
                   AnalysisProgress &progress, const MarkupSink &sink)
{
    readConfig(settings.config, document.options);
    progress.begin(QStringLiteral("Parsing Text"), document.textLines.size());
    progress.setTitle(QStringLiteral("Parsing Text"));
    document.takeMarkup(
        buildMarkup(document.fileSuffix, document.markupSources(), lineProgress(progress), sink));
    const TimeIndexVector &index = *document.timeIndex;
    document.analysisError =
        index.tooLarge ? QStringLiteral("%1 scenes with %2 characters are more than can be counted")
                             .arg(index.scenes.size())
                             .arg(index.characters.size())
                       : QString();
    progress.setValue(document.textLines.size());
}

DocumentModel analyseScreenplay(const QString &path, const SettingsPaths &settings)
{
    DocumentModel document;
    readConfig(settings.config, document.options);
    loadBreakStringFile(settings.breakStrings, document.breakStrings);
    SilentProgress progress;
    openScreenplay(document, path, settings, progress);
    parseDocument(document, settings, progress);
    return document;
}
