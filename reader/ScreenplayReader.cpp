#include "reader/ScreenplayReader.h"

#include "reader/Diagnostics.h"
#include "reader/FinalDraftReader.h"
#include "reader/FountainReader.h"
#include "reader/PdfReader.h"
#include "reader/TextFile.h"

#include <QFileInfo>

#include <tinyxml2.h>

#include <cstdio>

namespace {

// A heading line keeps only the text between the last "<center><b>" and the first
// "</b></center>" after it; everything else on that line is markup.
QString speakerHeading(const QString &line)
{
    static const QString open = QStringLiteral("<center><b>");
    static const QString close = QStringLiteral("</b></center>");
    const int openAt = line.lastIndexOf(open);
    const QString tail = openAt < 0 ? line : line.mid(openAt + open.size());
    const int closeAt = tail.indexOf(close);
    const QString name = closeAt < 0 ? tail : tail.left(closeAt);
    return QString(16, QLatin1Char(' ')) + name;
}

} // namespace

QString normalizeScreenplayLine(const QString &line)
{
    // Only a heading at the very start of the line counts, before any other rewrite.
    QString text = line.startsWith(QLatin1String("<speaker")) ? speakerHeading(line) : line;
    text.replace(QLatin1Char('\t'), QLatin1String("    "));
    // ">" is spaced first, so a renamed tag below still ends in "> ".
    text.replace(QLatin1Char('>'), QLatin1String("> "));
    text.replace(QLatin1String("<font"), QLatin1String("<nofont"));
    text.replace(QLatin1String("</font>"), QLatin1String("</nofont>"));
    text.replace(QLatin1String("<h2"), QLatin1String("<noh2"));
    text.replace(QLatin1String("</h2>"), QLatin1String("</noh2>"));
    text.replace(QLatin1String("font-size"), QLatin1String("no-font-size"));
    return text;
}

QString screenplayFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("xml"))
        return suffix;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return QStringLiteral("html");
    if (suffix == QLatin1String("fountain") || suffix == QLatin1String("spmd"))
        return QStringLiteral("fountain");
    if (suffix == QLatin1String("fdx") || suffix == QLatin1String("pdf"))
        return suffix;
    return QStringLiteral("text");
}

QStringList screenplaySuffixes()
{
    return {QStringLiteral("txt"),  QStringLiteral("csv"), QStringLiteral("xml"),
            QStringLiteral("html"), QStringLiteral("htm"), QStringLiteral("fountain"),
            QStringLiteral("spmd"), QStringLiteral("fdx"), QStringLiteral("pdf")};
}

namespace {

// The structured formats are read whole and laid out; their lines then get the same
// rewriting as a typed screenplay's, so both reach the analysis alike.
ScreenplayText readLaidOut(const QString &path, const QString &format)
{
    QString reason;
    const std::optional<QByteArray> bytes = TextFile::readBytes(path, &reason);
    ScreenplayText text;
    if (!bytes)
        text.error = reason;
    else if (format == QLatin1String("fountain"))
        text = readFountain(*bytes);
    else if (format == QLatin1String("fdx"))
        text = readFinalDraft(*bytes);
    else
        text = readPdf(*bytes);
    text.format = format;
    for (QString &line : text.lines)
        line = normalizeScreenplayLine(line);
    return text;
}

} // namespace

ScreenplayText readScreenplayFile(const QString &path)
{
    const QString format = screenplayFormat(path);
    if (format == QLatin1String("fountain") || format == QLatin1String("fdx") ||
        format == QLatin1String("pdf"))
        return readLaidOut(path, format);
    ScreenplayText text;
    text.format = format;
    QString reason;
    std::optional<QStringList> lines = TextFile::readLines(path, &reason);
    if (!lines) {
        // Later stages treat this like any other line, so the failure shows in the text.
        text.lines.append(QStringLiteral("file not found\n"));
        text.error = reason;
        return text;
    }
    // In place: a line the rewriting leaves alone keeps sharing its text.
    text.lines = std::move(*lines);
    for (QString &line : text.lines)
        line = normalizeScreenplayLine(line);
    return text;
}

QString screenplayFileName(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void walkXml(const QString &path)
{
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    // Read like every other input, so a pipe or a huge file is refused rather than waited on;
    // a document that fails to load is treated as having no elements.
    const std::optional<QByteArray> bytes = TextFile::readBytes(path);
    if (bytes &&
        document.Parse(bytes->constData(), size_t(bytes->size())) == tinyxml2::XML_SUCCESS) {
        for (const tinyxml2::XMLElement *element = document.FirstChildElement("div");
             element != nullptr; element = element->NextSiblingElement("div")) {
            const char *style = element->Attribute("style");
            Diagnostics::print("found %s\n", style != nullptr ? style : "(null)");
        }
    }
    Diagnostics::print("we're out\n");
}
