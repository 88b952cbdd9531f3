#pragma once

#include <QRectF>
#include <QString>
#include <QVector>

// One word of a PDF page's text layer, in points from the page's top left corner.
struct PdfWord
{
    QRectF box;
    QString text;
};

// A run of words on one printed line with fewer than three character widths between
// them; the two speeches of side-by-side dual dialogue are two segments of one line.
struct PrintedSegment
{
    double left = 0.0;
    double right = 0.0;
    QString text;
};

struct PrintedLine
{
    double top = 0.0;
    double left = 0.0;
    QString text; // the whole line, blanks rebuilt from the glyph positions
    QVector<PrintedSegment> segments;
    QString sceneNumber;  // printed in a margin beside it, not part of `text`
    QString speechNumber; // printed before a cue by programs that number speeches
};

// A page's words rebuilt into printed lines, top to bottom, with the measures the layout
// is judged by: the width of one character and the distance of two lines, both taken from
// the page's own text (a 10- or 12-pitch Courier gives 7.2 or 6 points).
struct PrintedPage
{
    QVector<PrintedLine> lines;
    double pitch = 7.2;
    double lineSpacing = 12.0;
    int printedNumber = -1; // the page number printed on it, dropped from `lines`; -1 if none

    static PrintedPage fromWords(QVector<PdfWord> words);
};
