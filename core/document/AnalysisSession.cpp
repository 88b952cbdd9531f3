#include "document/AnalysisSession.h"

#include "characters/CharacterDiscovery.h"
#include "characters/CharacterListFile.h"
#include "characters/ConfigFile.h"
#include "characters/PaletteFile.h"
#include "reader/ScreenplayReader.h"
#include "scenes/BreakStringFile.h"
#include "support/StageProgress.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

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

QStringList SettingsPaths::fileNames()
{
    const SettingsPaths names;
    return {names.config, names.breakStrings, names.characters, names.colors};
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

AnalysisSession::AnalysisSession(SettingsPaths paths)
    : m_paths(std::move(paths))
{
}

AnalysisSession AnalysisSession::inMemory(AnalysisSettings settings)
{
    AnalysisSession session;
    session.m_readsFiles = false;
    session.m_settings = std::move(settings);
    return session;
}

void AnalysisSession::readSettings()
{
    if (!m_readsFiles)
        return;
    m_settingsWarnings += readConfig(m_paths.config, m_settings.options).warnings;
    m_settingsWarnings +=
        loadBreakStringFile(m_paths.breakStrings, m_settings.breakStrings).warnings;
}

QStringList AnalysisSession::takeSettingsWarnings()
{
    return std::exchange(m_settingsWarnings, QStringList());
}

OpenedScreenplay AnalysisSession::open(const QString &path, const StageProgress &progress)
{
    OpenedScreenplay opened;
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
    for (const QString &warning : text.warnings)
        screenplay.warnings.append(path + QStringLiteral(": ") + warning);
    screenplay.printedLayout = text.printedLayout;
    // A file that cannot be read is not opened: what is held stays for the screenplay open
    // before.
    if (opened.outcome == OpenOutcome::Unread) {
        progress.finish();
        return opened;
    }
    // The held settings change only once the opening is complete: the discovery's progress
    // lets the window's events run meanwhile.
    AnalysisSettings settings = m_settings;
    // Breaks were set on the text of the screenplay open before; they mean nothing here.
    settings.manualBreaks.clear();
    if (m_readsFiles) {
        settings.includeCharacters.clear();
        m_settingsWarnings +=
            loadCharacterList(m_paths.characters, settings.includeCharacters).warnings;
        m_settingsWarnings += loadPalette(m_paths.colors, settings.palette).warnings;
    }
    // A sessions file's characters are the names it gives, whatever the options say.
    if (settings.options.findCharacters || screenplay.format == QLatin1String("storyline")) {
        DiscoveredCharacters found = findCharacters(screenplay, settings, progress);
        screenplay.characters = std::move(found.characters);
        screenplay.speakerIndent = found.speakerIndent;
        // As the parse will: whoever shows the characters before it shows their colours.
        applyForcedColors(screenplay.characters, settings.includeCharacters);
    }
    m_settings = std::move(settings);
    return opened;
}

DiscoveredCharacters AnalysisSession::discover(const Screenplay &screenplay,
                                               const StageProgress &progress) const
{
    return findCharacters(screenplay, m_settings, progress);
}

std::shared_ptr<const Analysis> AnalysisSession::parse(const Screenplay &screenplay,
                                                       const StageProgress &progress,
                                                       const MarkupSink &sink)
{
    if (m_readsFiles)
        m_settingsWarnings += readConfig(m_paths.config, m_settings.options).warnings;
    // A colour forced since the discovery shows now; the records are shared with the caller.
    CharacterList characters = screenplay.characters;
    applyForcedColors(characters, m_settings.includeCharacters);
    const QString parsing = QStringLiteral("Parsing Text");
    progress.begin(parsing, screenplay.textLines.size());
    progress.setTitle(parsing);
    MarkupResult made = buildMarkup(screenplay.fileSuffix, markupSources(screenplay, m_settings),
                                    lineProgress(progress, false), sink);
    auto analysis = std::make_shared<Analysis>();
    static_cast<Screenplay &>(*analysis) = screenplay;
    analysis->characters = std::move(made.characters);
    analysis->markupHtml = std::move(made.html);
    analysis->lastBreakPosition = made.lastBreakPosition;
    analysis->options = m_settings.options;
    analysis->sessionSteps = std::move(made.sessionSteps);
    if (made.skippedRecords > 0)
        analysis->warnings.append(
            QStringLiteral("%1: %2 time-coded %3 left out: a negative duration, a negative or "
                           "non-finite start, or a time beyond 1e9 s")
                .arg(screenplay.filePath)
                .arg(made.skippedRecords)
                .arg(QLatin1String(made.skippedRecords == 1 ? "line" : "lines")));
    const TimeIndexVector &index = *made.index;
    if (index.tooLarge)
        analysis->analysisError =
            QStringLiteral("%1 scenes with %2 characters are more than can be counted")
                .arg(index.scenes.size())
                .arg(index.characters.size());
    analysis->timeIndex = std::move(made.index);
    m_settings.lastBreakPosition = analysis->lastBreakPosition;
    progress.report(screenplay.textLines.size());
    return analysis;
}

std::shared_ptr<const Analysis> AnalysisSession::analyse(const QString &path)
{
    const OpenedScreenplay opened = open(path, StageProgress());
    return parse(opened.screenplay, StageProgress());
}
