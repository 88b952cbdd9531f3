#pragma once

#include "reader/PdfPrintedPage.h"

#include <QVector>

class ScreenplayLayout;

// The left edges, in points, of the lines a page's classification gave each role.
struct PageColumns
{
    QVector<double> action;
    QVector<double> cues;
    QVector<double> parentheticals;
    QVector<double> dialogue;
};

// Writes one printed page at the layout's columns. Indents differ from page to page and
// from one program to another, so roles are judged on each page by relative position and
// by what follows, never by absolute columns: a line in capitals directly above a line
// that starts further left is a cue, and the lines under it up to the next blank line are
// its speech (parentheticals start with "(" and stand right of the dialogue). Lines at a
// dialogue indent seen on the page continue a speech; capitals far right of the cues are
// transitions; everything else, the title page included, is action. Side-by-side dual
// dialogue becomes the left speech, then the right one, each under its cue.
// The speech under a cue may also start after one blank line, double-spaced, as multi-camera
// scripts print it; it is then written single-spaced. On a title or cast page
// (`frontMatter`) nothing is taken for a cue. `actionLeft` is where action stood on earlier
// pages (0 for none), for a page without action. Returns where the page's elements stand.
PageColumns writePrintedPage(const PrintedPage &page, bool frontMatter, double actionLeft,
                             ScreenplayLayout &layout);
