#pragma once

#include <QString>
#include <QStringList>

// One input line as it is stored in textLines: speaker headings become indented names,
// tabs become four blanks, and tags a web view would honour are renamed.
QString normalizeScreenplayLine(const QString &line);

// Appends the normalised lines of the file to textLines. When the file cannot be read it
// appends the single line "file not found\n" and returns false.
bool readScreenplay(const QString &path, QStringList &textLines);

// The text after the last "/" of the path (the whole path when there is none).
QString screenplayFileName(const QString &path);

// Prints the style of every top-level "div" element, then "we're out"; changes nothing.
void walkXml(const QString &path);
