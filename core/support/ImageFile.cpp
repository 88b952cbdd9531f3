#include "support/ImageFile.h"

#include "reader/TextFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QString>

namespace {

bool fail(QString *reason, const QString &why)
{
    if (reason != nullptr)
        *reason = why;
    return false;
}

} // namespace

bool saveImageFile(const QImage &image, const QString &path, QString *reason)
{
    if (path.isEmpty())
        return fail(reason, QStringLiteral("no file name was given"));
    if (image.isNull())
        return fail(reason, QStringLiteral("there is no image to write"));
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        return fail(reason, QStringLiteral("no image format is known for the suffix \"%1\"")
                                .arg(QString::fromLatin1(format)));
    // Encoded in memory first, so the file itself is written by the one path that checks
    // every step and never leaves a partial file under the real name.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return fail(reason, writer.errorString());
    return TextFile::writeBytes(path, buffer.data(), reason);
}
