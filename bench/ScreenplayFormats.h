#pragma once

#include <QByteArray>
#include <QFont>
#include <QPageSize>
#include <QStringList>

// The generated screenplay (typed layout: cues after 20 blanks, parentheticals after 15,
// dialogue after 10, "[N]" page markers) written in the structured formats, so that their
// readers can be timed on feature-length input.
class QPdfWriter;

namespace ScreenplayFormats {

// The blanks in front of a typed line, which tell its element.
int leadOf(const QString &line);
// "[N]", where page N begins.
bool isPageMarker(const QString &line);

// Points as units, no margins, the page size given; and the typewriter font screenplays use.
void setUpPdfWriter(QPdfWriter &writer, QPageSize::PageSizeId size);
QFont courier12();

// Fountain: the same lines without indents, page markers as "===".
QByteArray fountain(const QStringList &typed);

// Final Draft: one paragraph per line, typed by its indent.
QByteArray finalDraft(const QStringList &typed);

// A4 PDF in 12-point Courier, 55 lines to a page, page numbers top right from page 2, at most
// `pages` pages; page markers are not printed. Needs a QGuiApplication.
QByteArray pdf(const QStringList &typed, int pages);

} // namespace ScreenplayFormats
