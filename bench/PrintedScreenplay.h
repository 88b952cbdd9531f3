#pragma once

#include <QByteArray>
#include <QStringList>

// How a screenwriting program lays a screenplay out on paper, for printing test and benchmark
// PDFs in the layouts real programs make.
struct PrintStyle
{
    bool usLetter = true; // else A4
    // Left edges from the page's edge, in inches; transitions end at `rightEdge`.
    double action = 1.25;
    double dialogue = 2.25;
    double parenthetical = 2.85;
    double cue = 3.7;
    double rightEdge = 7.25;
    int linesPerPage = 54;
    int maxPages = 0;           // all the text when 0
    bool sceneNumbers = false;  // in both margins of each heading
    bool continued = false;     // "CONTINUED:" at the top, "(CONTINUED)" at the foot
    bool more = true;           // a speech cut by a page: "(MORE)", then the cue "(CONT'D)"
    bool lowerContd = false;    // "(cont'd)" instead of "(CONT'D)"
    bool speechNumbers = false; // "12 - NAME"
    bool multiCamera = false;   // a blank after each cue, dialogue double-spaced in capitals
    bool reversed = false;      // each page's text drawn from the bottom up
    bool nudgedCues = false;    // cues up to 3 points off their column
    bool titleKeys = false;     // "Title:", "Written by", a draft, a date, an address
    bool castPage = false;      // a page listing the cast at the cue column
};

namespace PrintedScreenplay {

// The typed screenplay (cues after 20 blanks, parentheticals after 15, dialogue after 10,
// transitions after 40 or more, "[N]" page markers) printed in 12-point Courier in `style`.
// Lines before the first page marker make the title page. Needs a QGuiApplication.
QByteArray pdf(const QStringList &typed, const PrintStyle &style);

} // namespace PrintedScreenplay
