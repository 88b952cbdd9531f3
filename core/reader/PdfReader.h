#pragma once

#include "reader/PdfPageText.h"
#include "reader/ScreenplayText.h"

#include <QByteArray>

// Reads the text layer of a PDF screenplay into the printed layout of ScreenplayLayout:
// each page rebuilt into lines and classified on its own (see writePrintedPage), its
// printed page number replaced by a page marker. A scan without a text layer and an
// encrypted file are refused with a reason, and no lines; so is a file with a page whose text
// is over the bounds, with the page's number.
ScreenplayText readPdf(const QByteArray &bytes, const PdfPageBounds &bounds = {});
