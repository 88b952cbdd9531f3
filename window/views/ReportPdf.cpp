#include "views/ReportPdf.h"

#include "facts/ScriptFacts.h"
#include "reader/TextFile.h"
#include "views/ReportCharts.h"
#include "views/ReportTables.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include <algorithm>
#include <memory>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Report", text);
}

// Draws on the page from the top down, in device pixels of the writer.
class PageWriter
{
public:
    PageWriter(QPainter &painter, const QRect &area)
        : m_painter(painter)
        , m_area(area)
        , m_top(area.top())
    {
    }

    int width() const { return m_area.width(); }
    int left() const { return m_area.left(); }
    int remaining() const { return m_area.bottom() - m_top; }

    void heading(const QString &text, int points)
    {
        QFont font = m_painter.font();
        font.setPointSize(points);
        font.setBold(true);
        m_painter.setFont(font);
        const int height = m_painter.fontMetrics().height();
        m_painter.drawText(QRect(left(), m_top, width(), height), Qt::AlignLeft, text);
        m_top += height * 3 / 2;
    }

    // Rows of cells in columns of the given shares of the width; with `header` the first row
    // is bold. A cell too long for its column is wrapped in the last column, else shortened.
    // Returns the number of rows drawn: the table stops where the page does.
    // `reservedLines` stay free below it, for the gap after it and a note.
    int table(const QList<QStringList> &rows, const QList<double> &columnShares, int points,
              bool header, int reservedLines = 2)
    {
        QFont font = m_painter.font();
        font.setPointSize(points);
        int drawn = 0;
        for (; drawn < rows.size(); ++drawn) {
            font.setBold(header && drawn == 0);
            m_painter.setFont(font);
            const int height = rowHeight(rows.at(drawn), columnShares);
            if (height > remaining() - reservedLines * lineHeight(points))
                break;
            drawRow(rows.at(drawn), columnShares);
            m_top += height;
        }
        m_top += m_painter.fontMetrics().height();
        return drawn;
    }

    // A square of the colour before a table row, in the margin left of the table.
    void swatch(const QColor &color, int row, int points)
    {
        const int height = lineHeight(points);
        const int side = height * 2 / 3;
        m_painter.fillRect(
            QRect(left() - side * 3 / 2, m_top + row * height + (height - side) / 2, side, side),
            color);
    }

    // Charts side by side in one row of the given height.
    void charts(const QList<QChart *> &charts, int height)
    {
        const int gap = width() / 50;
        const int each = (width() - gap * (int(charts.size()) - 1)) / int(charts.size());
        for (int i = 0; i < charts.size(); ++i)
            drawChart(charts.at(i), QRect(left() + i * (each + gap), m_top, each, height));
        m_top += height + gap;
    }

    int lineHeight(int points) const
    {
        QFont font = m_painter.font();
        font.setPointSize(points);
        return QFontMetrics(font, m_painter.device()).height();
    }

private:
    // A cell too long for its column is wrapped in the last column, else shortened.
    QRect cellRect(int column, const QList<double> &columnShares, int lines) const
    {
        int x = left();
        for (int c = 0; c < column; ++c)
            x += int(width() * columnShares.at(c));
        const int cellWidth = int(width() * columnShares.at(column));
        return QRect(x, m_top, cellWidth, m_painter.fontMetrics().height() * lines);
    }

    int rowHeight(const QStringList &row, const QList<double> &columnShares) const
    {
        const int last = int(columnShares.size()) - 1;
        if (row.size() <= last)
            return m_painter.fontMetrics().height();
        const QRect wrapped = m_painter.fontMetrics().boundingRect(
            cellRect(last, columnShares, 4), Qt::AlignLeft | Qt::TextWordWrap, row.at(last));
        return std::max(m_painter.fontMetrics().height(), wrapped.height());
    }

    void drawRow(const QStringList &row, const QList<double> &columnShares)
    {
        const QFontMetrics metrics = m_painter.fontMetrics();
        for (int c = 0; c < row.size() && c < columnShares.size(); ++c) {
            const bool last = c + 1 == columnShares.size();
            const QRect cell = cellRect(c, columnShares, last ? 4 : 1);
            if (last)
                m_painter.drawText(cell, Qt::AlignLeft | Qt::TextWordWrap, row.at(c));
            else
                m_painter.drawText(cell, Qt::AlignLeft,
                                   metrics.elidedText(row.at(c), Qt::ElideRight,
                                                      cell.width() - metrics.height() / 2));
        }
    }

    // Laid out at about the target's size in points, so its text keeps about its point size
    // on paper, and drawn into `target` as vectors.
    void drawChart(QChart *chart, const QRect &target)
    {
        QChartView view(chart); // owns the chart from here on
        // A third larger than the target's size in points: the text is read at 7 to 8 points.
        const double pixelsPerPoint = m_painter.device()->logicalDpiX() / 72.0 / 1.35;
        const QSize laidOut = (QSizeF(target.size()) / pixelsPerPoint).toSize();
        view.resize(laidOut);
        chart->resize(laidOut);
        // The chart lays its axes out for the new size in posted events.
        QCoreApplication::sendPostedEvents();
        chart->layout()->activate();
        view.scene()->render(&m_painter, target, QRectF(QPointF(0, 0), laidOut));
    }

    QPainter &m_painter;
    QRect m_area;
    int m_top;
};

QList<QStringList> withHeader(const QStringList &header, const QList<QStringList> &rows)
{
    return QList<QStringList>{header} + rows;
}

QStringList texts(const std::vector<ReportCell> &cells, const std::vector<int> &columns)
{
    QStringList row;
    for (const int c : columns)
        row << cells[size_t(c)].text;
    return row;
}

void firstPage(PageWriter &page, const ScriptFacts &facts, const QString &name)
{
    page.heading(tr("Report: %1").arg(name), 16);
    QList<QStringList> rows;
    for (const auto &[label, value] : scriptFactRows(facts, name))
        rows << QStringList{label, value};
    page.table(rows, {0.22, 0.78}, 9, false);
    // What the gaps between the rows of charts leave; the bars need the height for a
    // readable name each.
    const int charts = page.remaining() - page.width() / 50 * 3;
    // Half a page wide, a bar chart has room for 16 letters of a name.
    page.charts({dialogueShareChart(facts, {}, 16), locationChart(facts, {}, 16)},
                charts * 46 / 100);
    page.charts({interiorChart(facts), timeOfDayChart(facts)}, charts * 24 / 100);
    page.charts({sceneLengthChart(facts)}, charts * 29 / 100);
}

// "and 12 more", under a table that the page cut short.
void noteLeftOut(PageWriter &page, int left, const QString &what)
{
    if (left > 0)
        page.table({{tr("... and %1 more %2").arg(left).arg(what)}}, {1.0}, 8, false, 0);
}

void secondPage(PageWriter &page, const ScriptFacts &facts)
{
    const int points = 8;
    std::vector<const CharacterFacts *> characters;
    for (const CharacterFacts &character : facts.characters)
        characters.push_back(&character);
    std::stable_sort(characters.begin(), characters.end(),
                     [](const auto *a, const auto *b) { return a->speeches > b->speeches; });
    // The characters take at most three fifths of the page, the locations the rest.
    const int rowsThatFit = page.remaining() / page.lineHeight(points);
    const int characterRows = std::min(int(characters.size()), rowsThatFit * 3 / 5);
    // Name, speeches, lines, words, time, share, scenes, first, last, degree, betweenness.
    const std::vector<int> columns{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
    const QStringList header{tr("Character"), tr("Speeches"), tr("Lines"),      tr("Words"),
                             tr("Time"),      tr("Share"),    tr("Scenes"),     tr("First"),
                             tr("Last"),      tr("Degree"),   tr("Betweenness")};
    QList<QStringList> rows;
    for (int i = 0; i < characterRows; ++i)
        rows << texts(characterCells(*characters[size_t(i)]), columns);
    page.heading(tr("Characters, most speeches first"), 12);
    for (int i = 0; i < characterRows; ++i)
        page.swatch(characters[size_t(i)]->color, i + 1, points);
    const int shown =
        page.table(withHeader(header, rows),
                   {0.2, 0.09, 0.06, 0.07, 0.07, 0.07, 0.08, 0.06, 0.06, 0.08, 0.12}, points, true);
    noteLeftOut(page, int(characters.size()) - std::max(shown - 1, 0), tr("characters"));
    if (facts.locations.empty())
        return;
    rows.clear();
    for (const LocationFacts &location : facts.locations)
        rows << texts(locationCells(location), {0, 1, 2, 3, 4});
    page.heading(tr("Locations, most scenes first"), 12);
    const int located = page.table(withHeader(locationColumns(), rows),
                                   {0.36, 0.08, 0.08, 0.18, 0.30}, points, true);
    noteLeftOut(page, int(facts.locations.size()) - std::max(located - 1, 0), tr("locations"));
}

QPageSize pageSizeForLocale()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

} // namespace

bool writeReportPdf(const QString &path, const ScriptFacts &facts, const QString &screenplayName,
                    QString *reason)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(pageSizeForLocale());
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(tr("Report: %1").arg(screenplayName));
        writer.setCreator(QStringLiteral("Quillmark"));
        QPainter painter(&writer);
        const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
        const QRect page(QPoint(0, 0), area.size());
        PageWriter first(painter, page);
        firstPage(first, facts, screenplayName);
        writer.newPage();
        PageWriter second(painter, page);
        secondPage(second, facts);
    }
    return TextFile::writeBytes(path, pdf.data(), reason);
}
