#pragma once

#include "document/Analysis.h"
#include "scenes/MarkupBuilder.h"

#include <QString>
#include <QStringList>

#include <memory>

struct DiscoveredCharacters;
struct StageProgress;

// Where the settings files of an analysis are; by default the working directory. The names
// of the files are spelled here and nowhere else.
struct SettingsPaths
{
    QString config = QStringLiteral("config.txt");
    QString breakStrings = QStringLiteral("breakStrings.txt");
    QString characters = QStringLiteral("characters.txt");
    QString colors = QStringLiteral("colors.txt");

    static SettingsPaths in(const QString &directory);
    // The names of the four files, without a folder.
    static QStringList fileNames();
};

// What became of opening a screenplay.
enum class OpenOutcome {
    Read,
    Unread, // the screenplay holds the failure (the "file not found" line of a typed one)
    Stopped // the reading was cancelled: nothing was opened
};

struct OpenedScreenplay
{
    OpenOutcome outcome = OpenOutcome::Stopped;
    Screenplay screenplay; // empty when the reading was stopped
};

// "Analyse one screenplay" for every front end: the settings files, then open (read the file,
// find its characters), then parse. The session holds the settings between parses, as the
// user edits them; the screenplay and each analysis are values its caller keeps.
class AnalysisSession
{
public:
    // Settings read from the files at `paths` (none is read until asked).
    explicit AnalysisSession(SettingsPaths paths = SettingsPaths());
    // Settings given in memory: no settings file is ever read.
    static AnalysisSession inMemory(AnalysisSettings settings);

    const SettingsPaths &paths() const { return m_paths; }
    AnalysisSettings &settings() { return m_settings; }
    const AnalysisSettings &settings() const { return m_settings; }

    // As at start-up: the options, then the break strings. A missing file keeps what is held.
    void readSettings();
    // The lines of the settings files read since the last call (by readSettings, open or
    // parse) that could not be read as written, each naming its file and line and what was
    // kept instead. The files are read again for every screenplay, so the same lines come
    // back each time: a batch says each once.
    QStringList takeSettingsWarnings();

    // Reads the screenplay at `path`, reloads the include characters and the palette and
    // (when findCharacters is set) finds the characters by suffix; the manual breaks set on
    // the screenplay open before are dropped. A stopped reading changes nothing, and neither
    // does a file that cannot be read (its screenplay holds the reason, and no characters).
    OpenedScreenplay open(const QString &path, const StageProgress &progress);

    // The characters of the screenplay's lines by its suffix, with the settings held.
    DiscoveredCharacters discover(const Screenplay &screenplay,
                                  const StageProgress &progress) const;

    // A parse with the settings as they are now (the options file is read again first, so an
    // edit made outside counts): a fresh scene index over the screenplay's characters, with
    // the forced colours of the include characters, and the markup, which fills it. The
    // markup goes to `sink` as it is made when one is given (markupHtml stays empty).
    std::shared_ptr<const Analysis>
    parse(const Screenplay &screenplay, const StageProgress &progress, const MarkupSink &sink = {});

    // open, then parse, with nobody to report to.
    std::shared_ptr<const Analysis> analyse(const QString &path);

private:
    SettingsPaths m_paths;
    bool m_readsFiles = true;
    AnalysisSettings m_settings;
    QStringList m_settingsWarnings;
};
