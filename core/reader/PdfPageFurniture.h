#pragma once

#include "reader/PdfPrintedPage.h"

#include <QString>
#include <QVector>

// What screenwriting programs print on a page besides the screenplay, taken off one printed
// line's words (left to right) before the line is judged.
namespace PdfPageFurniture {

// Scene numbers stand in the margins, at either side of a heading and of its "CONTINUED:"
// header, two or more characters away from the text. Removes them and returns the number
// (empty when there was none).
QString takeSceneNumbers(QVector<PdfWord> &words, double pitch);

// "12 - NAME", "12. NAME": a program that numbers speeches prints the number before the cue.
// Removes it when capitals follow, and returns it (empty when there was none).
QString takeSpeechNumber(QVector<PdfWord> &words);

// A line of nothing but continuation marks ("CONTINUED:", "(CONTINUED)", "CONTINUED: (2)")
// and numbers; "CONT'D" alone counts too where `atEdge` (the first or last line of a page).
// The page number among them, if any, goes to `pageNumber`.
bool isFurniture(const QVector<PdfWord> &words, bool atEdge, int *pageNumber);

} // namespace PdfPageFurniture
