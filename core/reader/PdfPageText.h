#pragma once

#include "reader/PdfPrintedPage.h"

#include <QString>
#include <QVector>

namespace Poppler {
class Page;
}

// The words of one page's text layer, in reading order whichever way up the page is drawn.
struct PdfPageText
{
    QVector<PdfWord> words;
    // Why the page was not read: its text is far more than any screenplay page holds (a
    // hostile file can draw millions of glyphs from a few kilobytes). Empty when it was read.
    QString error;
};

// The bounds on one page's text, far above a typed page's few thousand characters, read in
// milliseconds with a few megabytes.
struct PdfPageBounds
{
    int maxCharacters = 100000;
    qint64 maxMemoryBytes = qint64(256) * 1024 * 1024; // taken while its text is read
    int maxSeconds = 10;
};

// Reads the page's words within the bounds. Words drawn upside down (a text matrix or a page
// turned by 180 degrees) are turned back, so that the page reads top to bottom.
PdfPageText readPdfPageText(const Poppler::Page &page, const PdfPageBounds &bounds = {});
