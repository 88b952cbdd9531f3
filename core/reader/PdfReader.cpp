#include "reader/PdfReader.h"

#include "reader/PdfFrontMatter.h"
#include "reader/PdfPageClassifier.h"
#include "reader/PdfPageText.h"
#include "reader/PdfPrintedPage.h"
#include "reader/ScreenplayLayout.h"

#include <QMap>

#include <poppler-qt6.h>

#include <algorithm>
#include <memory>
#include <numeric>

namespace {

// Poppler reports every oddity of a damaged file; the reader's own error says what matters.
void ignorePopplerMessage(const QString &, const QVariant &) {}

// Printed numbers usually skip the title page, so page i (from 1) carries the number
// i + offset; the offset most pages agree on wins, 0 when none is printed.
int pageNumberOffset(const QVector<PrintedPage> &pages)
{
    QMap<int, int> votes;
    for (int i = 0; i < pages.size(); ++i) {
        if (pages.at(i).printedNumber >= 0)
            ++votes[pages.at(i).printedNumber - (i + 1)];
    }
    int offset = 0;
    int best = 0;
    for (auto it = votes.cbegin(); it != votes.cend(); ++it) {
        if (it.value() > best) {
            best = it.value();
            offset = it.key();
        }
    }
    return offset;
}

// Where most left edges stand, to a character's width, in inches to 0.01; -1 for none.
double commonColumn(const QVector<double> &lefts, double pitch)
{
    QMap<int, QVector<double>> bins;
    for (const double left : lefts)
        bins[qRound(left / pitch)].append(left);
    QVector<double> best;
    for (const QVector<double> &bin : bins) {
        if (bin.size() > best.size())
            best = bin;
    }
    if (best.isEmpty())
        return -1.0;
    const double mean = std::accumulate(best.begin(), best.end(), 0.0) / best.size();
    return qRound(mean / 72.0 * 100.0) / 100.0;
}

struct ColumnsRead
{
    PageColumns lefts;
    double pitch = 7.2;

    void add(const PageColumns &page, double pagePitch)
    {
        lefts.action += page.action;
        lefts.cues += page.cues;
        lefts.parentheticals += page.parentheticals;
        lefts.dialogue += page.dialogue;
        pitch = pagePitch;
    }
    void report(PrintedLayout &layout) const
    {
        layout.actionColumn = commonColumn(lefts.action, pitch);
        layout.cueColumn = commonColumn(lefts.cues, pitch);
        layout.parentheticalColumn = commonColumn(lefts.parentheticals, pitch);
        layout.dialogueColumn = commonColumn(lefts.dialogue, pitch);
    }
};

void countNumbers(const PrintedPage &page, PrintedLayout &layout)
{
    for (const PrintedLine &line : page.lines) {
        layout.numberedScenes += line.sceneNumber.isEmpty() ? 0 : 1;
        layout.numberedSpeeches += line.speechNumber.isEmpty() ? 0 : 1;
    }
}

} // namespace

ScreenplayText readPdf(const QByteArray &bytes, const PdfPageBounds &bounds)
{
    ScreenplayText text;
    text.format = QStringLiteral("pdf");
    Poppler::setDebugErrorFunction(ignorePopplerMessage, QVariant());
    const std::unique_ptr<Poppler::Document> document(Poppler::Document::loadFromData(bytes));
    if (!document) {
        text.error = QStringLiteral("is not a PDF file, or is too damaged to read");
        return text;
    }
    if (document->isLocked()) {
        text.error = QStringLiteral("is encrypted: save a copy without its password first");
        return text;
    }
    text.pageCount = document->numPages();
    QVector<PrintedPage> pages;
    PrintedLayout printed;
    bool anyText = false;
    for (int i = 0; i < text.pageCount; ++i) {
        const std::unique_ptr<Poppler::Page> page(document->page(i));
        if (page && i == 0) {
            printed.pageWidth = page->pageSizeF().width();
            printed.pageHeight = page->pageSizeF().height();
        }
        PdfPageText words = page ? readPdfPageText(*page, bounds) : PdfPageText();
        if (!words.error.isEmpty()) {
            text.error = QStringLiteral("page %1 %2").arg(i + 1).arg(words.error);
            return text;
        }
        pages.append(PrintedPage::fromWords(std::move(words.words)));
        anyText = anyText || !pages.last().lines.isEmpty() || pages.last().printedNumber >= 0;
    }
    if (!anyText) {
        text.error = QStringLiteral("has no text layer: a scanned PDF needs OCR first");
        return text;
    }
    const int offset = pageNumberOffset(pages);
    const int frontPages = frontMatterPages(pages);
    ScreenplayLayout layout;
    ColumnsRead columns;
    double actionLeft = 0.0;
    for (int i = 0; i < pages.size(); ++i) {
        if (i + 1 + offset >= 1)
            layout.addPageMarker(i + 1 + offset);
        const bool front = i < frontPages;
        const PageColumns found = writePrintedPage(pages.at(i), front, actionLeft, layout);
        if (!front && !found.action.isEmpty())
            actionLeft = *std::min_element(found.action.begin(), found.action.end());
        if (front) {
            printed.titlePages.append(i + 1);
        } else {
            columns.add(found, pages.at(i).pitch);
            countNumbers(pages.at(i), printed);
        }
    }
    columns.report(printed);
    text.printedLayout = printed;
    if (columns.lefts.cues.isEmpty()) {
        text.error = QStringLiteral("has no layout that could be read as a screenplay: no line "
                                    "stands as a speaker's cue above dialogue");
        return text;
    }
    text.lines = layout.lines();
    return text;
}
