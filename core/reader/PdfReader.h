#pragma once

#include "reader/ScreenplayText.h"

#include <QByteArray>

// Reads the text layer of a PDF screenplay into the printed layout of ScreenplayLayout:
// each page rebuilt into lines and classified on its own (see writePrintedPage), its
// printed page number replaced by a page marker. A scan without a text layer and an
// encrypted file are refused with a reason, and no lines.
ScreenplayText readPdf(const QByteArray &bytes);
