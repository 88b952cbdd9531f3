#include "TypedPdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace {

// A writer in points on A4 without margins, into `buffer`.
void setUp(QPdfWriter &writer)
{
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
}

} // namespace

void ensureGuiApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "core_tests";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives as long as the process
}

QByteArray typedPdf(const QVector<TypedPage> &pages)
{
    ensureGuiApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUp(writer);
    QPainter painter(&writer);
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        QFont font(QStringLiteral("Courier"));
        font.setStyleHint(QFont::TypeWriter);
        font.setPointSizeF(pages.at(p).pointSize);
        painter.setFont(font);
        const QFontMetricsF metrics(font, &writer);
        const double pitch = metrics.horizontalAdvance(QLatin1Char('M'));
        painter.resetTransform();
        if (pages.at(p).upsideDown) {
            const QSizeF size = writer.pageLayout().fullRect(QPageLayout::Point).size();
            painter.translate(size.width(), size.height());
            painter.rotate(180);
        }
        double baseline = 72.0;
        for (const QString &line : pages.at(p).lines) {
            const QString text = line.trimmed();
            const int column = line.indexOf(text);
            painter.drawText(QPointF(pages.at(p).leftMargin + column * pitch, baseline), text);
            baseline += pages.at(p).pointSize;
        }
    }
    painter.end();
    return buffer.data();
}

QByteArray scannedPdf()
{
    ensureGuiApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUp(writer);
    QImage scan(200, 280, QImage::Format_RGB32);
    scan.fill(Qt::white);
    QPainter(&scan).fillRect(20, 20, 120, 6, Qt::black); // a typed line, as pixels
    QPainter painter(&writer);
    painter.drawImage(QRectF(0, 0, 595, 842), scan);
    painter.end();
    return buffer.data();
}
