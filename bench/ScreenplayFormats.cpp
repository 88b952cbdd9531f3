#include "ScreenplayFormats.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

namespace ScreenplayFormats {

int leadOf(const QString &line)
{
    int lead = 0;
    while (lead < line.size() && line.at(lead) == QLatin1Char(' '))
        ++lead;
    return lead;
}

bool isPageMarker(const QString &line)
{
    return line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'));
}

void setUpPdfWriter(QPdfWriter &writer, QPageSize::PageSizeId size)
{
    writer.setResolution(72);
    writer.setPageSize(QPageSize(size));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

QFont courier12()
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(12);
    return font;
}

namespace {

const char *finalDraftType(const QString &line)
{
    const int lead = leadOf(line);
    if (lead >= 40)
        return "Transition";
    if (lead >= 20)
        return "Character";
    if (lead >= 15)
        return "Parenthetical";
    if (lead >= 10)
        return "Dialogue";
    if (line.startsWith(QLatin1String("INT.")) || line.startsWith(QLatin1String("EXT.")))
        return "Scene Heading";
    return "Action";
}

} // namespace

QByteArray fountain(const QStringList &typed)
{
    QString out;
    for (const QString &line : typed) {
        if (isPageMarker(line))
            out += QLatin1String("===");
        else if (leadOf(line) >= 40)
            out += QLatin1String("> ") + line.trimmed();
        else
            out += line.trimmed();
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

QByteArray finalDraft(const QStringList &typed)
{
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<FinalDraft DocumentType=\"Script\" Version=\"5\">\n<Content>\n");
    for (const QString &line : typed) {
        if (line.trimmed().isEmpty() || isPageMarker(line))
            continue;
        out += QStringLiteral("<Paragraph Type=\"%1\"><Text>%2</Text></Paragraph>\n")
                   .arg(QLatin1String(finalDraftType(line)), line.trimmed().toHtmlEscaped());
    }
    out += QLatin1String("</Content>\n</FinalDraft>\n");
    return out.toUtf8();
}

QByteArray pdf(const QStringList &typed, int pages)
{
    constexpr int linesPerPage = 55;
    constexpr double margin = 108.0;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpPdfWriter(writer, QPageSize::A4);
    QPainter painter(&writer);
    const QFont font = courier12();
    painter.setFont(font);
    const double pitch = QFontMetricsF(font, &writer).horizontalAdvance(QLatin1Char('M'));
    int page = 1;
    int row = 0;
    for (const QString &line : typed) {
        if (isPageMarker(line))
            continue;
        if (row == linesPerPage) {
            if (++page > pages)
                break;
            writer.newPage();
            painter.drawText(QPointF(margin + 60 * pitch, 48.0), QString::number(page) + '.');
            row = 0;
        }
        painter.drawText(QPointF(margin + leadOf(line) * pitch, 84.0 + 12.0 * row), line.trimmed());
        ++row;
    }
    painter.end();
    return buffer.data();
}

} // namespace ScreenplayFormats
