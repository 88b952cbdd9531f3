#include "FuzzInput.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

QString writeFuzzInput(const uint8_t *data, size_t size)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("quillmark-fuzz-%1.txt").arg(::getpid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    return path;
}
