#include "reader/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QTextCodec>

namespace TextFile {

QString decode(const QByteArray &bytes)
{
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0) {
        if (text.startsWith(QChar(0xFEFF)))
            return text.mid(1);
        return text;
    }
    return QString::fromLatin1(bytes);
}

QByteArray encode(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return text.toUtf8();
    }
    return text.toLatin1();
}

std::optional<QByteArray> readBytes(const QString &path, QString *reason)
{
    if (path.isEmpty()) {
        if (reason != nullptr)
            *reason = QStringLiteral("no file was chosen");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason != nullptr)
            *reason = QStringLiteral("cannot be opened: ") + file.errorString();
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<QStringList> readLines(const QString &path, QString *reason)
{
    const std::optional<QByteArray> bytes = readBytes(path, reason);
    if (!bytes)
        return std::nullopt;
    const QString text = decode(*bytes);
    QStringList lines;
    int begin = 0;
    while (begin < text.size()) {
        int end = text.indexOf(QLatin1Char('\n'), begin);
        if (end < 0)
            end = text.size();
        int stop = end;
        if (stop > begin && text.at(stop - 1) == QLatin1Char('\r'))
            --stop;
        lines.append(text.mid(begin, stop - begin));
        begin = end + 1;
    }
    return lines;
}

bool writeText(const QString &path, const QString &text)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encode(text);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace TextFile
