#pragma once

#include <QString>

// The line starts like a scene heading ("INT.", "EXT", "INT./EXT.", "I/E", "EST."), after
// its blanks.
bool isSceneHeading(const QString &text);

// A line that only a title page holds: "Title:" and the other keys of a title page, "Written
// by", "Story by", "by" alone, a draft, a date, an address, a mail address or a telephone number.
bool isTitlePageLine(const QString &text);
