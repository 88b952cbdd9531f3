#pragma once

#include "reader/ScreenplayText.h"
#include "support/StageProgress.h"

#include <QString>
#include <QStringList>

// One input line as it is stored in textLines: speaker headings become indented names,
// tabs become four blanks, and tags a web view would honour are renamed.
QString normalizeScreenplayLine(const QString &line);

// Reads a screenplay by its suffix (compared ignoring case). A text file that cannot be read
// gives the single line "file not found\n" with the reason in `error`, so later stages
// show the failure in the text as they always have. `progress` is told the thousandths of the
// reading done; when it cancels, the text is `stopped`, without lines.
ScreenplayText readScreenplayFile(const QString &path, const StageProgress &progress = {});

// The format a path is read as, from its suffix alone.
QString screenplayFormat(const QString &path);

// The suffixes (lower case, without the dot) of the files a folder holds as screenplays.
QStringList screenplaySuffixes();

// The text after the last "/" of the path (the whole path when there is none).
QString screenplayFileName(const QString &path);

// Prints the style of every top-level "div" element, then "we're out"; changes nothing.
void walkXml(const QString &path);
