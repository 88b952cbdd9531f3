#pragma once

#include <QString>

#include "app/DocumentModel.h"

class AnalysisProgress;

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
    Unread, // the document holds the failure (the "file not found" line of a typed screenplay)
    Stopped // the reading was cancelled: the document is as it was before
};

// Opening a screenplay after its file dialog: reads the file, then empties the document,
// loads the include characters, takes the lines, loads the palette and (when findCharacters
// is set) finds the characters by suffix.
OpenOutcome openScreenplay(DocumentModel &document, const QString &path,
                           const SettingsPaths &settings, AnalysisProgress &progress);

// The analysis part of a parse: config re-read, a fresh scene index over the current
// characters, and the markup (which fills the index). Leaves markupHtml set, unless a sink
// was given: then the markup went to it as it was made, and markupHtml is empty.
void parseDocument(DocumentModel &document, const SettingsPaths &settings,
                   AnalysisProgress &progress, const MarkupSink &sink = {});

// The whole analysis of one screenplay, as the window does it from start-up on: the options and
// break strings of `settings` first, then open and parse the file.
DocumentModel analyseScreenplay(const QString &path, const SettingsPaths &settings);
