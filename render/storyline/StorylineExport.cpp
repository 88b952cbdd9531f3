#include "storyline/StorylineExport.h"

#include "reader/TextFile.h"
#include "storyline/StorylinePicture.h"
#include "support/ImageFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cmath>

namespace {

// Beyond this many pixels an image of the picture is refused rather than allocated: SVG
// suits a storyline that long.
constexpr double largestImagePixels = 20.0e6;

bool saveSvg(const StorylinePicture &picture, const QString &path, QString *reason)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    const QSize size = picture.size().toSize();
    // One unit of the picture is one CSS pixel (1/96 inch) wherever the file is opened.
    generator.setResolution(96);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QFileInfo(path).completeBaseName());
    generator.setDescription(QStringLiteral("Storyline: one line per character, time left to "
                                            "right, lines together while their characters "
                                            "share a scene."));
    QPainter painter;
    if (!painter.begin(&generator)) {
        if (reason)
            *reason = QStringLiteral("the SVG painter could not start");
        return false;
    }
    picture.paint(painter);
    painter.end();
    return TextFile::writeBytes(path, buffer.data(), reason);
}

bool saveImage(const StorylinePicture &picture, const QString &path, QString *reason)
{
    const QSize size(static_cast<int>(std::ceil(picture.size().width())),
                     static_cast<int>(std::ceil(picture.size().height())));
    if (double(size.width()) * size.height() > largestImagePixels) {
        if (reason)
            *reason = QStringLiteral("the storyline is %1 by %2 pixels, too large for an "
                                     "image: save it as SVG")
                          .arg(size.width())
                          .arg(size.height());
        return false;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.paint(painter);
    painter.end();
    return saveImageFile(image, path, reason);
}

} // namespace

bool saveStorylinePicture(const StorylinePicture &picture, const QString &path, QString *reason)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return saveSvg(picture, path, reason);
    return saveImage(picture, path, reason);
}
