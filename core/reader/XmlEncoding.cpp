#include "reader/XmlEncoding.h"

#include "reader/TextDecoding.h"

#include <QRegularExpression>

namespace {

// The declaration, if any, stands at the very start; a little more is looked at for blanks.
constexpr int declarationBytes = 256;

QString declaredEncoding(const QByteArray &bytes)
{
    static const QRegularExpression declaration(
        QStringLiteral("^\\s*<\\?xml[^>]*\\sencoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
    const QString start = QString::fromLatin1(bytes.left(declarationBytes));
    const QRegularExpressionMatch match = declaration.match(start);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

// Windows-1252 differs from Latin-1 in 0x80-0x9F only; its five unused bytes stay as they are.
QString fromWindows1252(const QByteArray &bytes)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text = QString::fromLatin1(bytes.constData(), bytes.size());
    for (QChar &c : text) {
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(ushort(high[c.unicode() - 0x80]));
    }
    return text;
}

} // namespace

std::optional<QByteArray> xmlAsUtf8(const QByteArray &bytes, QString *error)
{
    const std::optional<TextDecoding::UnicodeForm> form = TextDecoding::unicodeForm(bytes);
    if (form && form->encoding != TextDecoding::Encoding::Utf8)
        return TextDecoding::fromUnicodeForm(bytes, form->encoding, form->markBytes).toUtf8();
    if (form)
        return bytes; // UTF-8 with its mark, which the parser skips
    const QString encoding = declaredEncoding(bytes);
    if (encoding.isEmpty() || encoding == QLatin1String("utf-8") ||
        encoding == QLatin1String("utf8"))
        return bytes;
    static const QStringList latin1{"iso-8859-1", "iso8859-1",  "latin1",   "latin-1",
                                    "l1",         "iso_8859-1", "us-ascii", "ascii"};
    if (latin1.contains(encoding))
        return QString::fromLatin1(bytes.constData(), bytes.size()).toUtf8();
    if (encoding == QLatin1String("windows-1252") || encoding == QLatin1String("cp1252"))
        return fromWindows1252(bytes).toUtf8();
    if (error != nullptr)
        *error = QStringLiteral("declares the encoding %1, which is not read; UTF-8, UTF-16, "
                                "ISO-8859-1 and Windows-1252 are")
                     .arg(encoding);
    return std::nullopt;
}
