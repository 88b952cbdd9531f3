#pragma once

#include <QString>
#include <QStringList>

// What the words of a printed or typed line say about it, before its place on the page does.

// Holds a letter and no lower-case one: "EDWARD", "O'HARA", "(V.O.)", "CUT TO:"; not "12"
// or "-".
bool isCapitals(const QString &text);

// "[N]", the page marker of the typed layout.
bool isPageMarker(const QString &line);

// The line starts like a scene heading ("INT.", "EXT", "INT./EXT.", "I/E", "EST."), after
// its blanks and a scene number.
bool isSceneHeading(const QString &text);

// A line that only a title page holds: "Title:" and the other keys of a title page, "Written
// by", "Story by", "by" alone, a draft, a date, an address, a mail address or a telephone number.
bool isTitlePageLine(const QString &text);

// Programs that number speeches print the number before the cue: "12 - NAME", "12. NAME",
// "12) NAME". The number of leading words that are such a number (0, 1 or 2); only where a
// word in capitals follows, so "3 MEN" and a bare number keep their words.
int speechNumberWords(const QStringList &words);
