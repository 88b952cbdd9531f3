#include "reader/PdfPageText.h"

#include <QElapsedTimer>

#include <poppler-qt6.h>

#include <malloc.h>

#include <memory>

namespace {

// The heap in use by the whole process; growth while one page is read is that page's.
qint64 heapInUse()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#else
    return 0;
#endif
}

// Asked by the text extraction every few drawing operators; stops it once the page has taken
// more memory or time than its bounds allow.
struct ExtractionWatch
{
    explicit ExtractionWatch(const PdfPageBounds &bounds)
        : bounds(bounds)
    {
        clock.start();
    }

    PdfPageBounds bounds;
    qint64 heapAtStart = heapInUse();
    QElapsedTimer clock;
    int calls = 0;
    QString overrun; // why it was stopped

    bool shouldStop()
    {
        // Looking at the heap walks the allocator's bins: every 16th call is often enough.
        if (overrun.isEmpty() && ++calls % 16 == 0 &&
            heapInUse() - heapAtStart > bounds.maxMemoryBytes)
            overrun = QStringLiteral("reading its text took over %1 MB")
                          .arg(bounds.maxMemoryBytes / (1024 * 1024));
        if (overrun.isEmpty() && clock.elapsed() > qint64(bounds.maxSeconds) * 1000)
            overrun = QStringLiteral("reading its text took over %1 s").arg(bounds.maxSeconds);
        return !overrun.isEmpty();
    }
};

bool shouldStopExtraction(const QVariant &closure)
{
    return static_cast<ExtractionWatch *>(closure.value<void *>())->shouldStop();
}

// PostScript's standard encoding prints the typewriter apostrophe and back quote as curly
// quotes, which would make "YOR (CONT’D)" another name than the typed "YOR (CONT'D)".
QString typewriterText(QString text)
{
    text.replace(QChar(0x2019), QLatin1Char('\''));
    text.replace(QChar(0x2018), QLatin1Char('\''));
    return text;
}

// +1 for a word whose letters run left to right, -1 for one drawn upside down (its first
// letter right of its last), 0 when one letter cannot tell.
int direction(const Poppler::TextBox &box)
{
    const qsizetype length = box.text().size();
    if (length < 2)
        return 0;
    const double first = box.charBoundingBox(0).center().x();
    const double last = box.charBoundingBox(length - 1).center().x();
    return first < last ? 1 : first > last ? -1 : 0;
}

// The boxes as seen with the page turned by 180 degrees.
void turnHalfway(QVector<PdfWord> &words, const QSizeF &page)
{
    for (PdfWord &word : words) {
        const QRectF &box = word.box;
        word.box = QRectF(page.width() - box.right(), page.height() - box.bottom(), box.width(),
                          box.height());
    }
}

QString tooMuchText(const QString &why)
{
    return QStringLiteral("holds far more text than a screenplay page (%1)").arg(why);
}

} // namespace

PdfPageText readPdfPageText(const Poppler::Page &page, const PdfPageBounds &bounds)
{
    PdfPageText text;
    ExtractionWatch watch(bounds);
    std::vector<std::unique_ptr<Poppler::TextBox>> boxes = page.textList(
        Poppler::Page::Rotate0, shouldStopExtraction, QVariant::fromValue<void *>(&watch));
    if (!watch.overrun.isEmpty()) {
        text.error = tooMuchText(watch.overrun);
        return text;
    }
    qint64 characters = 0;
    int turn = 0;
    for (const std::unique_ptr<Poppler::TextBox> &box : boxes) {
        characters += box->text().size();
        turn += direction(*box);
    }
    if (characters > bounds.maxCharacters) {
        text.error = tooMuchText(QStringLiteral("over %1 characters").arg(bounds.maxCharacters));
        return text;
    }
    text.words.reserve(qsizetype(boxes.size()));
    for (const std::unique_ptr<Poppler::TextBox> &box : boxes)
        text.words.append({box->boundingBox(), typewriterText(box->text())});
    boxes.clear();
    if (turn < 0)
        turnHalfway(text.words, page.pageSizeF());
    return text;
}
