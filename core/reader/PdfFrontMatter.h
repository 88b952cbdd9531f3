#pragma once

#include "reader/PdfPrintedPage.h"

#include <QVector>

// The title and cast pages a screenplay opens with: the pages before the first one with a
// scene heading; in a screenplay without headings, the opening pages that carry what title
// pages carry ("Title:", "Written by", a draft, a date, an address). Their lines at a cue's
// indent name no speaker.
int frontMatterPages(const QVector<PrintedPage> &pages);
