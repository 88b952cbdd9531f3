#include "views/ReportPdf.h"

#include "facts/ScriptFacts.h"
#include "reader/TextFile.h"
#include "views/ReportCharts.h"
#include "views/ReportTables.h"

#include <QBuffer>
#include <QCoreApplication>
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

    // Rows of cells in columns of the given shares of the width; the first row bold.
    void table(const QList<QStringList> &rows, const QList<double> &columnShares, int points)
    {
        QFont font = m_painter.font();
        font.setPointSize(points);
        for (int r = 0; r < rows.size(); ++r) {
            font.setBold(r == 0);
            m_painter.setFont(font);
            const int height = m_painter.fontMetrics().height();
            int x = left();
            for (int c = 0; c < rows.at(r).size() && c < columnShares.size(); ++c) {
                const int cellWidth = int(width() * columnShares.at(c));
                const QString text = m_painter.fontMetrics().elidedText(
                    rows.at(r).at(c), Qt::ElideRight, cellWidth - height / 2);
                m_painter.drawText(QRect(x, m_top, cellWidth, height), Qt::AlignLeft, text);
                x += cellWidth;
            }
            m_top += height;
        }
        m_top += m_painter.fontMetrics().height();
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
    // Laid out at a screen size and drawn scaled into `target`, as vectors.
    void drawChart(QChart *chart, const QRect &target)
    {
        QChartView view(chart); // owns the chart from here on
        const QSize laidOut(520, int(520.0 * target.height() / target.width()));
        view.resize(laidOut);
        chart->resize(laidOut);
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
    page.table(rows, {0.22, 0.78}, 9);
    const int rest = page.remaining();
    const int gapAllowance = page.width() / 50 * 3;
    page.charts({dialogueShareChart(facts), locationChart(facts)},
                (rest - gapAllowance) * 38 / 100);
    page.charts({interiorChart(facts), timeOfDayChart(facts)}, (rest - gapAllowance) * 27 / 100);
    page.charts({sceneLengthChart(facts)}, (rest - gapAllowance) * 33 / 100);
}

void secondPage(PageWriter &page, const ScriptFacts &facts)
{
    const int points = 8;
    const int fit = page.remaining() / page.lineHeight(points) - 8;
    std::vector<const CharacterFacts *> characters;
    for (const CharacterFacts &character : facts.characters)
        characters.push_back(&character);
    std::stable_sort(characters.begin(), characters.end(),
                     [](const auto *a, const auto *b) { return a->speeches > b->speeches; });
    const int characterRows =
        std::min(int(characters.size()), std::max(fit * 3 / 5, fit - int(facts.locations.size())));
    // Name, speeches, lines, words, time, share, scenes, first, last, degree, betweenness.
    const std::vector<int> columns{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11};
    QStringList header;
    for (const int c : columns)
        header << characterColumns().at(c);
    QList<QStringList> rows;
    for (int i = 0; i < characterRows; ++i)
        rows << texts(characterCells(*characters[size_t(i)]), columns);
    page.heading(characterRows < int(characters.size())
                     ? tr("Characters (the %1 with most speeches of %2)")
                           .arg(characterRows)
                           .arg(characters.size())
                     : tr("Characters"),
                 12);
    page.table(withHeader(header, rows),
               {0.2, 0.07, 0.08, 0.07, 0.08, 0.07, 0.07, 0.08, 0.08, 0.07, 0.09}, points);
    const int locationRows =
        std::min(int(facts.locations.size()), page.remaining() / page.lineHeight(points) - 4);
    if (locationRows <= 0)
        return;
    rows.clear();
    for (int i = 0; i < locationRows; ++i)
        rows << texts(locationCells(facts.locations[size_t(i)]), {0, 1, 2, 3, 4});
    page.heading(locationRows < int(facts.locations.size())
                     ? tr("Locations (the %1 with most scenes of %2)")
                           .arg(locationRows)
                           .arg(facts.locations.size())
                     : tr("Locations"),
                 12);
    page.table(withHeader(locationColumns(), rows), {0.36, 0.08, 0.08, 0.18, 0.30}, points);
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
