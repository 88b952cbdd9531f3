#pragma once

#include "reader/PdfPrintedPage.h"

class ScreenplayLayout;

// Writes one printed page at the layout's columns. Indents differ from page to page and
// from one program to another, so roles are judged on each page by relative position and
// by what follows, never by absolute columns: a line in capitals directly above a line
// that starts further left is a cue, and the lines under it up to the next blank line are
// its speech (parentheticals start with "(" and stand right of the dialogue). Lines at a
// dialogue indent seen on the page continue a speech; capitals far right of the cues are
// transitions; everything else, the title page included, is action. Side-by-side dual
// dialogue becomes the left speech, then the right one, each under its cue.
void writePrintedPage(const PrintedPage &page, ScreenplayLayout &layout);
