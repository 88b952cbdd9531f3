#pragma once

#include <QVector>
#include <QtGlobal>

// How a printed screenplay (a PDF) was read, so that a user can see why a file gave what it
// gave: the page, where each element stood and which pages were set aside.
struct PrintedLayout
{
    double pageWidth = 0.0; // of the first page, in points
    double pageHeight = 0.0;
    // From the page's left edge, in inches, the most common left edge of each element's
    // lines; -1 where no line was read as one.
    double actionColumn = -1.0;
    double parentheticalColumn = -1.0;
    double dialogueColumn = -1.0;
    double cueColumn = -1.0;
    QVector<qint32> titlePages;  // from 1: title and cast pages, kept out of the analysis
    qint32 numberedScenes = 0;   // headings with a scene number in a margin
    qint32 numberedSpeeches = 0; // cues printed after a speech number
};
