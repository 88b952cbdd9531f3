#include "reader/ScreenplayReader.h"

#include "reader/FinalDraftReader.h"
#include "reader/FountainReader.h"
#include "reader/PdfReader.h"
#include "reader/SessionsFile.h"
#include "reader/TextContent.h"
#include "reader/TextFile.h"
#include "support/Diagnostics.h"

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
    if (suffix == QLatin1String("fdx") || suffix == QLatin1String("pdf") ||
        suffix == QLatin1String("storyline"))
        return suffix;
    return QStringLiteral("text");
}

QStringList screenplaySuffixes()
{
    return {QStringLiteral("txt"),      QStringLiteral("csv"), QStringLiteral("xml"),
            QStringLiteral("html"),     QStringLiteral("htm"), QStringLiteral("fountain"),
            QStringLiteral("spmd"),     QStringLiteral("fdx"), QStringLiteral("pdf"),
            QStringLiteral("storyline")};
}

namespace {

bool isLaidOut(const QString &format)
{
    return format == QLatin1String("fountain") || format == QLatin1String("fdx") ||
           format == QLatin1String("pdf");
}

// The structured formats are read whole and laid out; their lines then get the same
// rewriting as a typed screenplay's, so both reach the analysis alike.
ScreenplayText layOut(const QByteArray &bytes, const QString &format)
{
    if (format == QLatin1String("fountain"))
        return readFountain(bytes);
    if (format == QLatin1String("fdx"))
        return readFinalDraft(bytes);
    return readPdf(bytes);
}

QStringList decodedLines(const QByteArray &bytes, const StageProgress &progress,
                         QStringList &warnings)
{
    TextFile::DecodeNotes notes;
    QStringList lines = TextFile::decodeLines(bytes, progress, &notes);
    if (notes.replacedBytes > 0)
        warnings.append(TextFile::replacedBytesWarning(notes.replacedBytes));
    return lines;
}

// The rewriting is told every this many lines how far it is.
constexpr int linesPerReport = 4096;

void normalizeLines(QStringList &lines, const StageProgress &progress)
{
    // In place: a line the rewriting leaves alone keeps sharing its text.
    for (int i = 0; i < lines.size(); ++i) {
        lines[i] = normalizeScreenplayLine(lines.at(i));
        if (i % linesPerReport == linesPerReport - 1) {
            progress.report(int(qint64(i) * 1000 / lines.size()));
            if (progress.wasCanceled())
                return;
        }
    }
}

bool isSessions(const QString &format)
{
    return format == QLatin1String("storyline");
}

ScreenplayText unread(const QString &format, const QString &reason)
{
    ScreenplayText text;
    text.format = format;
    text.error = reason;
    // Later stages treat this like any other line, so the failure of a typed screenplay
    // shows in the text.
    if (!isLaidOut(format) && !isSessions(format) && reason != TextFile::stoppedReason())
        text.lines.append(QStringLiteral("file not found\n"));
    text.stopped = reason == TextFile::stoppedReason();
    return text;
}

} // namespace

ScreenplayText readScreenplayFile(const QString &path, const StageProgress &progress)
{
    const QString format = screenplayFormat(path);
    // Reading the bytes is quick beside decoding them into lines and rewriting those.
    const StageProgress reading = progress.step(0, 100);
    const StageProgress decoding = progress.step(100, 580);
    const StageProgress rewriting = progress.step(580, 1000);
    QString reason;
    std::optional<QByteArray> bytes = TextFile::readBytes(path, &reason, reading);
    if (!bytes)
        return unread(format, reason);
    ScreenplayText text;
    if (isLaidOut(format))
        text = layOut(*bytes, format);
    else
        text.lines = decodedLines(*bytes, decoding, text.warnings);
    text.format = format;
    bytes.reset();
    if (isSessions(format) && !progress.wasCanceled()) {
        // Kept as written: the tabs between groups are the file's structure.
        const QString mistake = parseSessions(text.lines).error;
        return mistake.isEmpty() ? text : unread(format, mistake);
    }
    if (!progress.wasCanceled())
        normalizeLines(text.lines, rewriting);
    if (progress.wasCanceled())
        return unread(format, TextFile::stoppedReason());
    // The laid-out formats say themselves what is wrong with a file; XML is only walked.
    if (!isLaidOut(format) && format != QLatin1String("xml")) {
        const QString refusal = textContentRefusal(text.lines);
        if (!refusal.isEmpty())
            return unread(format, refusal);
    }
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
