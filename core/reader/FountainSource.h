#pragma once

#include <QString>
#include <QStringList>

// The steps that turn Fountain source into the lines its elements are read from, before
// any line is classified. Each keeps the line structure the classification relies on.
namespace FountainSource {

// The source's lines: CRLF, CR and LF all end a line, a tab counts as four blanks.
QStringList splitLines(const QString &text);

// Boneyard "/* ... */" and notes "[[ ... ]]" removed, also where they span lines (the lines
// they join become one). A line that a removal leaves blank is dropped, so that a note
// between a cue and its dialogue does not end the speech. An opener without its closer
// stays as written.
QStringList withoutComments(const QStringList &lines);

// The lines after the title page: the key-value block ("Title:", "Author:" ...) that opens
// the file and ends at its first blank line. Unchanged when the file has none.
QStringList withoutTitlePage(const QStringList &lines);

// Emphasis markers "*", "**", "***" and "_" removed where they pair up within a paragraph
// (they may enclose line ends); "\*" and "\_" stand for the characters themselves.
QStringList withoutEmphasis(const QStringList &lines);

} // namespace FountainSource
