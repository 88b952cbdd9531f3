#include "PrintedScreenplay.h"

#include "ScreenplayFormats.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace PrintedScreenplay {

namespace {

using ScreenplayFormats::isPageMarker;
using ScreenplayFormats::leadOf;

enum class Kind { Blank, Heading, Action, Cue, Parenthetical, Dialogue, Transition };

struct Row
{
    Kind kind = Kind::Blank;
    QString text;
    QString speaker; // the cue's name, for the rows of a speech
};

struct Item
{
    double x = 0.0; // points
    int row = 0;
    QString text;
};

using Page = QVector<Item>;

constexpr double pointsPerInch = 72.0;
constexpr double topMargin = 72.0;
constexpr double lineHeight = 12.0;
constexpr double pitch = 7.2; // 12-point Courier

Kind kindOf(const QString &line)
{
    const int lead = leadOf(line);
    if (line.trimmed().isEmpty())
        return Kind::Blank;
    if (lead >= 40)
        return Kind::Transition;
    if (lead >= 20)
        return Kind::Cue;
    if (lead >= 15)
        return Kind::Parenthetical;
    if (lead >= 10)
        return Kind::Dialogue;
    const QString text = line.trimmed();
    return text.startsWith(QLatin1String("INT")) || text.startsWith(QLatin1String("EXT"))
               ? Kind::Heading
               : Kind::Action;
}

QString nameOf(const QString &cue)
{
    const int open = cue.indexOf(QLatin1Char('('));
    return (open < 0 ? cue : cue.left(open)).trimmed();
}

// The typed text's own page breaks undone: "(MORE)", the marker and the repeated cue go.
QVector<Row> rowsOf(const QStringList &typed, int from, bool multiCamera)
{
    QVector<Row> rows;
    QString speaker;
    for (int l = from; l < typed.size(); ++l) {
        const QString &line = typed.at(l);
        if (isPageMarker(line))
            continue;
        if (line.trimmed() == QLatin1String("(MORE)")) {
            while (++l < typed.size() && kindOf(typed.at(l)) != Kind::Cue) {
            }
            continue;
        }
        Row row{kindOf(line), line.trimmed(), QString()};
        if (row.kind == Kind::Cue)
            speaker = nameOf(row.text);
        const bool inSpeech = row.kind == Kind::Dialogue || row.kind == Kind::Parenthetical;
        row.speaker = inSpeech ? speaker : QString();
        if (multiCamera && (row.kind == Kind::Dialogue || row.kind == Kind::Action))
            row.text = row.text.toUpper();
        if (multiCamera && inSpeech)
            rows.append(Row{Kind::Blank, QString(), speaker}); // after the cue, between lines
        rows.append(row);
    }
    return rows;
}

class Printer
{
public:
    explicit Printer(const PrintStyle &style)
        : m_style(style)
    {
    }

    QVector<Page> pages(const QStringList &typed)
    {
        const auto firstMarker = std::find_if(typed.begin(), typed.end(), isPageMarker);
        const int bodyFrom = static_cast<int>(firstMarker - typed.begin());
        m_pages.append(titlePage(typed.mid(0, bodyFrom)));
        if (m_style.castPage)
            m_pages.append(castPage(typed.mid(bodyFrom)));
        m_frontPages = m_pages.size();
        newBodyPage(false);
        const QVector<Row> rows = rowsOf(typed, bodyFrom, m_style.multiCamera);
        for (int r = 0; r < rows.size(); ++r) {
            place(rows, r);
            if (m_style.maxPages > 0 && m_pages.size() > m_style.maxPages) {
                m_pages.removeLast();
                break;
            }
        }
        return m_pages;
    }

private:
    double columnOf(Kind kind, const QString &text) const
    {
        switch (kind) {
        case Kind::Cue:
            return m_style.cue * pointsPerInch;
        case Kind::Parenthetical:
            return m_style.parenthetical * pointsPerInch;
        case Kind::Dialogue:
            return m_style.dialogue * pointsPerInch;
        case Kind::Transition:
            return m_style.rightEdge * pointsPerInch - text.size() * pitch;
        default:
            return m_style.action * pointsPerInch;
        }
    }

    Page titlePage(const QStringList &lines) const
    {
        Page page;
        int row = 18;
        for (const QString &line : lines)
            page.append(
                {m_style.action * pointsPerInch + leadOf(line) * pitch, row++, line.trimmed()});
        if (m_style.titleKeys) {
            const QStringList keys{"Title: " +
                                       (lines.isEmpty() ? QString() : lines.first().trimmed()),
                                   "Written by",
                                   "Jane Q. Writer",
                                   "Second Revised Draft",
                                   "March 3, 2024",
                                   "123 Elm Street",
                                   "Springfield, IL 62701",
                                   "(555) 123-4567"};
            for (const QString &key : keys)
                page.append({m_style.cue * pointsPerInch - 2 * pitch, ++row, key});
        }
        return page;
    }

    // "CAST OF CHARACTERS", each speaker at the cue column over a line about them.
    Page castPage(const QStringList &body) const
    {
        QStringList names;
        for (const QString &line : body) {
            if (kindOf(line) == Kind::Cue && !names.contains(nameOf(line)))
                names.append(nameOf(line));
        }
        Page page{{m_style.cue * pointsPerInch, 0, QStringLiteral("CAST OF CHARACTERS")}};
        int row = 2;
        for (const QString &name : names.mid(0, 24)) {
            page.append({m_style.cue * pointsPerInch, row++, name});
            page.append({m_style.dialogue * pointsPerInch, row++, QStringLiteral("a player")});
        }
        return page;
    }

    // The body's pages count from 1, the title and cast pages not at all.
    int bodyNumber() const { return m_pages.size() - m_frontPages; }

    void add(double x, const QString &text) { m_pages.last().append({x, m_row++, text}); }

    void newBodyPage(bool continuing)
    {
        m_pages.append(Page());
        m_row = 0;
        if (bodyNumber() > 1)
            m_pages.last().append({m_style.rightEdge * pointsPerInch - 3 * pitch, -2,
                                   QString::number(bodyNumber()) + QLatin1Char('.')});
        if (continuing && m_style.continued)
            addNumbered(QStringLiteral("CONTINUED:"));
    }

    void addNumbered(const QString &text)
    {
        if (m_style.sceneNumbers) {
            const QString number = QString::number(m_scene);
            m_pages.last().append({m_style.action * pointsPerInch - 8 * pitch, m_row, number});
            m_pages.last().append({m_style.rightEdge * pointsPerInch + 2 * pitch, m_row, number});
        }
        add(m_style.action * pointsPerInch, text);
    }

    int room() const { return m_style.linesPerPage - 1 - m_row; }

    void breakPage(const Row &next)
    {
        const bool continuing = next.kind != Kind::Heading;
        if (continuing && m_style.continued)
            m_pages.last().append({m_style.rightEdge * pointsPerInch - 12 * pitch,
                                   m_style.linesPerPage, QStringLiteral("(CONTINUED)")});
        newBodyPage(continuing);
    }

    QString cueText(const QString &text)
    {
        ++m_speech;
        const QString cue =
            m_style.speechNumbers ? QString::number(m_speech) + QStringLiteral(" - ") + text : text;
        return cue;
    }

    void addCue(const QString &text)
    {
        const double nudge = m_style.nudgedCues ? ((m_speech % 3) - 1) * 3.0 : 0.0;
        add(m_style.cue * pointsPerInch + nudge, cueText(text));
    }

    void place(const QVector<Row> &rows, int r)
    {
        const Row &row = rows.at(r);
        if (row.kind == Kind::Blank) {
            if (m_row > 0 && room() > 0)
                ++m_row;
            return;
        }
        const bool inSpeech = row.kind == Kind::Dialogue || row.kind == Kind::Parenthetical;
        const int needed = row.kind == Kind::Heading ? 3
                           : row.kind == Kind::Cue   ? (m_style.multiCamera ? 5 : 3)
                                                     : 1;
        if (room() < needed + (inSpeech ? 1 : 0)) {
            if (inSpeech && m_style.more) {
                add(m_style.cue * pointsPerInch, QStringLiteral("(MORE)"));
                breakPage(row);
                const QString contd =
                    m_style.lowerContd ? QStringLiteral(" (cont'd)") : QStringLiteral(" (CONT'D)");
                addCue(row.speaker + contd);
                if (m_style.multiCamera)
                    ++m_row;
            } else {
                breakPage(row);
            }
        }
        if (row.kind == Kind::Heading) {
            ++m_scene;
            addNumbered(row.text);
        } else if (row.kind == Kind::Cue) {
            addCue(row.text);
        } else {
            add(columnOf(row.kind, row.text), row.text);
        }
    }

    const PrintStyle m_style;
    QVector<Page> m_pages;
    int m_frontPages = 0;
    int m_row = 0;
    int m_scene = 0;
    int m_speech = 0;
};

} // namespace

QByteArray pdf(const QStringList &typed, const PrintStyle &style)
{
    const QVector<Page> pages = Printer(style).pages(typed);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    ScreenplayFormats::setUpPdfWriter(writer, style.usLetter ? QPageSize::Letter : QPageSize::A4);
    QPainter painter(&writer);
    painter.setFont(ScreenplayFormats::courier12());
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        Page page = pages.at(p);
        if (style.reversed)
            std::reverse(page.begin(), page.end());
        for (const Item &item : page)
            painter.drawText(QPointF(item.x, topMargin + lineHeight * (item.row + 1)), item.text);
    }
    painter.end();
    return buffer.data();
}

} // namespace PrintedScreenplay
