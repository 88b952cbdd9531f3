#include "reader/PdfReader.h"

#include "reader/PdfPageClassifier.h"
#include "reader/PdfPrintedPage.h"
#include "reader/ScreenplayLayout.h"

#include <QMap>

#include <poppler-qt5.h>

#include <memory>

namespace {

// Poppler reports every oddity of a damaged file; the reader's own error says what matters.
void ignorePopplerMessage(const QString &, const QVariant &) {}

// PostScript's standard encoding prints the typewriter apostrophe and back quote as curly
// quotes, which would make "YOR (CONT’D)" another name than the typed "YOR (CONT'D)".
QString typewriterText(QString text)
{
    text.replace(QChar(0x2019), QLatin1Char('\''));
    text.replace(QChar(0x2018), QLatin1Char('\''));
    return text;
}

QVector<PdfWord> pageWords(const Poppler::Page &page)
{
    const QList<Poppler::TextBox *> boxes = page.textList();
    QVector<PdfWord> words;
    words.reserve(boxes.size());
    for (const Poppler::TextBox *box : boxes)
        words.append({box->boundingBox(), typewriterText(box->text())});
    qDeleteAll(boxes);
    return words;
}

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

} // namespace

ScreenplayText readPdf(const QByteArray &bytes)
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
    bool anyText = false;
    for (int i = 0; i < text.pageCount; ++i) {
        const std::unique_ptr<Poppler::Page> page(document->page(i));
        pages.append(page ? PrintedPage::fromWords(pageWords(*page)) : PrintedPage());
        anyText = anyText || !pages.last().lines.isEmpty() || pages.last().printedNumber >= 0;
    }
    if (!anyText) {
        text.error = QStringLiteral("has no text layer: a scanned PDF needs OCR first");
        return text;
    }
    const int offset = pageNumberOffset(pages);
    ScreenplayLayout layout;
    for (int i = 0; i < pages.size(); ++i) {
        if (i + 1 + offset >= 1)
            layout.addPageMarker(i + 1 + offset);
        writePrintedPage(pages.at(i), layout);
    }
    text.lines = layout.lines();
    return text;
}
