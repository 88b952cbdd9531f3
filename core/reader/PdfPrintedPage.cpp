#include "reader/PdfPrintedPage.h"

#include "reader/PdfPageFurniture.h"

#include <QMap>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// Fewer blanks than this between two words keep them in one segment.
constexpr double segmentGapInCharacters = 3.0;

double median(QVector<double> values, double fallback)
{
    if (values.isEmpty())
        return fallback;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values.at(values.size() / 2);
}

double characterWidth(const QVector<PdfWord> &words)
{
    QVector<double> widths;
    for (const PdfWord &word : words) {
        if (!word.text.isEmpty() && word.box.width() > 0.0)
            widths.append(word.box.width() / word.text.size());
    }
    return median(widths, 7.2);
}

double wordHeight(const QVector<PdfWord> &words)
{
    QVector<double> heights;
    for (const PdfWord &word : words) {
        if (word.box.height() > 0.0)
            heights.append(word.box.height());
    }
    return median(heights, 12.0);
}

// Words on one line, left to right, with the blanks their distance stands for.
PrintedLine lineOf(QVector<PdfWord> words, double pitch)
{
    std::sort(words.begin(), words.end(),
              [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
    PrintedLine line;
    line.top = words.first().box.top();
    line.left = words.first().box.left();
    double right = line.left;
    for (const PdfWord &word : words) {
        line.top = qMin(line.top, word.box.top());
        const double gap = (word.box.left() - right) / pitch;
        const bool first = line.segments.isEmpty();
        if (first || gap >= segmentGapInCharacters) {
            line.segments.append({word.box.left(), word.box.right(), word.text});
        } else {
            line.segments.last().text += QString(qMax(1, qRound(gap)), QLatin1Char(' '));
            line.segments.last().text += word.text;
            line.segments.last().right = word.box.right();
        }
        if (!first)
            line.text += QString(qMax(1, qRound(gap)), QLatin1Char(' '));
        line.text += word.text;
        right = qMax(right, word.box.right());
    }
    return line;
}

// The most common distance of neighbouring lines, to half a point: the single spacing.
// A page without two adjacent lines takes the height of its words.
double singleSpacing(const QVector<PrintedLine> &lines, double height)
{
    QMap<int, int> counts;
    for (int i = 1; i < lines.size(); ++i) {
        const double distance = lines.at(i).top - lines.at(i - 1).top;
        // A blank line between two lines makes about twice the height; not single spacing.
        if (distance >= 0.5 * height && distance <= 1.5 * height)
            ++counts[qRound(distance * 2.0)];
    }
    int best = 0;
    double spacing = height;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > best) {
            best = it.value();
            spacing = it.key() / 2.0;
        }
    }
    return spacing;
}

// "7", "7.", "- 7 -", "(7)" or "Page 7" as the whole line.
int pageNumberOf(const PrintedLine &line)
{
    static const QRegularExpression number(
        QStringLiteral("^(?:page\\s+)?[-(\\x{2013}]?\\s*(\\d{1,4})\\s*[-)\\x{2013}]?\\.?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = number.match(line.text.trimmed());
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

PrintedPage PrintedPage::fromWords(QVector<PdfWord> words)
{
    PrintedPage page;
    words.erase(std::remove_if(words.begin(), words.end(),
                               [](const PdfWord &word) { return word.text.trimmed().isEmpty(); }),
                words.end());
    if (words.isEmpty())
        return page;
    page.pitch = characterWidth(words);
    const double height = wordHeight(words);
    std::sort(words.begin(), words.end(), [](const PdfWord &a, const PdfWord &b) {
        return a.box.center().y() < b.box.center().y();
    });
    QVector<QVector<PdfWord>> rows;
    for (const PdfWord &word : words) {
        // Words whose middles lie within half a line of the line's first word share it.
        if (rows.isEmpty() ||
            std::abs(word.box.center().y() - rows.last().first().box.center().y()) > 0.5 * height)
            rows.append(QVector<PdfWord>());
        rows.last().append(word);
    }
    for (int r = 0; r < rows.size(); ++r) {
        QVector<PdfWord> &row = rows[r];
        std::sort(row.begin(), row.end(),
                  [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
        const bool atEdge = r == 0 || r == rows.size() - 1;
        if (PdfPageFurniture::isFurniture(row, atEdge, &page.printedNumber))
            continue;
        const QString sceneNumber = PdfPageFurniture::takeSceneNumbers(row, page.pitch);
        const QString speechNumber = PdfPageFurniture::takeSpeechNumber(row);
        if (row.isEmpty())
            continue;
        page.lines.append(lineOf(row, page.pitch));
        page.lines.last().sceneNumber = sceneNumber;
        page.lines.last().speechNumber = speechNumber;
    }
    if (page.lines.isEmpty())
        return page;
    page.lineSpacing = singleSpacing(page.lines, height);

    // A number alone on the first or the last line is the printed page number.
    for (const int at : {0, static_cast<int>(page.lines.size()) - 1}) {
        if (at < 0 || at >= page.lines.size() || page.printedNumber >= 0)
            continue;
        page.printedNumber = pageNumberOf(page.lines.at(at));
        if (page.printedNumber >= 0)
            page.lines.remove(at);
    }
    return page;
}
