#pragma once

#include "document/Analysis.h"
#include "scenes/MarkupBuilder.h"

#include <QString>

#include <memory>

struct StageProgress;

// Where the settings files of an analysis are; by default the working directory.
struct SettingsPaths
{
    QString config = QStringLiteral("config.txt");
    QString breakStrings = QStringLiteral("breakStrings.txt");
    QString characters = QStringLiteral("characters.txt");
    QString colors = QStringLiteral("colors.txt");

    static SettingsPaths in(const QString &directory);
};

// What became of opening a screenplay.
enum class OpenOutcome {
    Read,
    Unread, // the screenplay holds the failure (the "file not found" line of a typed one)
    Stopped // the reading was cancelled: nothing was opened
};

// An opened screenplay and the settings that go with it: the include characters and the
// palette are those of the settings files now, and the manual breaks of the screenplay open
// before are gone.
struct OpenedScreenplay
{
    OpenOutcome outcome = OpenOutcome::Stopped;
    Screenplay screenplay;
    AnalysisSettings settings;
    // The lines of characters.txt and colors.txt that could not be read as written; the same
    // for every screenplay of a run, so a batch says them once.
    QStringList settingsWarnings;
};

// Reads the screenplay at `path`, loads the include characters and the palette and (when
// findCharacters is set) finds the characters by suffix. When the reading is stopped the
// result holds `settings` as they were and no screenplay.
OpenedScreenplay openScreenplay(const QString &path, const AnalysisSettings &settings,
                                const SettingsPaths &paths, const StageProgress &progress);

// A parse: a fresh scene index over the screenplay's characters and the markup, which fills
// it. The markup goes to `sink` as it is made when one is given (markupHtml stays empty).
std::shared_ptr<const Analysis> parseScreenplay(const Screenplay &screenplay,
                                                const AnalysisSettings &settings,
                                                const StageProgress &progress,
                                                const MarkupSink &sink = {});

// The whole analysis of one screenplay, as the window does it from start-up on: the options
// and break strings of `paths` first, then open and parse the file.
std::shared_ptr<const Analysis> analyseScreenplay(const QString &path, const SettingsPaths &paths);
