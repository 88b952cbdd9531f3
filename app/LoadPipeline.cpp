#include "app/LoadPipeline.h"

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"
#include "characters/CharacterDiscovery.h"
#include "characters/CharacterListFile.h"
#include "characters/ConfigFile.h"
#include "characters/PaletteFile.h"
#include "reader/ScreenplayReader.h"
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

void findCharacters(DocumentModel &document, AnalysisProgress &progress)
{
    progress.begin(QStringLiteral("Finding characters:"), document.textLines.size());
    if (document.fileSuffix == QLatin1String("xml"))
        walkXml(document.filePath);
    else if (document.fileSuffix == QLatin1String("csv"))
        discoverCsvCharacters(document, progress);
    else
        discoverTextCharacters(document, progress);
    progress.setValue(document.textLines.size());
    progress.setTitle(QStringLiteral("Finding characters: ") +
                      QString::number(document.characters.size()));
}

} // namespace

bool openScreenplay(DocumentModel &document, const QString &path, const SettingsPaths &settings,
                    AnalysisProgress &progress)
{
    document.textLines.clear();
    document.characters.clear();
    document.includeCharacters.clear();
    document.speakerIndent = 0;
    document.filePath = path;
    document.fileSuffix = path.isEmpty() ? QString() : QFileInfo(path).suffix();

    loadCharacterList(settings.characters, document.includeCharacters);
    const ScreenplayText text = readScreenplayFile(path);
    document.textLines = text.lines;
    document.format = text.format;
    document.pageCount = text.pageCount;
    document.readError = text.error;
    const bool read = text.ok();
    loadPalette(settings.colors, document.palette);
    if (document.options.findCharacters)
        findCharacters(document, progress);
    return read;
}

void parseDocument(DocumentModel &document, const SettingsPaths &settings,
                   AnalysisProgress &progress)
{
    readConfig(settings.config, document.options);
    document.timeIndex = std::make_unique<TimeIndexVector>(document.characters);
    progress.begin(QStringLiteral("Parsing Text"), document.textLines.size());
    progress.setTitle(QStringLiteral("Parsing Text"));
    document.markupHtml = buildMarkup(document, progress);
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
