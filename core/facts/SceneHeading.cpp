#include "facts/SceneHeading.h"

#include <QRegularExpression>

namespace {

// "12", "12A", "12.", "#12#", "#1.2A#".
bool isSceneNumber(const QString &word)
{
    static const QRegularExpression number(QStringLiteral("^(?:#[^#\\s]+#|\\d+[A-Za-z]?\\.?)$"));
    return number.match(word).hasMatch();
}

QString withoutSceneNumbers(const QString &line)
{
    QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty() && isSceneNumber(words.first()))
        words.removeFirst();
    if (!words.isEmpty() && isSceneNumber(words.last()))
        words.removeLast();
    return words.join(QLatin1Char(' '));
}

// Drops "(...)" and "[...]" groups that end the text, one after the other.
QString withoutTrailingGroups(QString text)
{
    static const QRegularExpression group(QStringLiteral("\\s*(?:\\([^()]*\\)|\\[[^\\[\\]]*\\])$"));
    for (;;) {
        const QRegularExpressionMatch found = group.match(text);
        if (!found.hasMatch() || found.capturedStart() == 0)
            return text;
        text.truncate(found.capturedStart());
    }
}

// The one-letter and short forms are written with or without dots, and "INT./EXT.",
// "INT/EXT", "I/E" and "EXT./INT." all say both.
struct Prefix
{
    QString interior;
    int length = 0; // characters of the heading it takes, separators after it included
};

QString interiorOf(const QString &word)
{
    const QString upper = word.toUpper();
    if (upper == QLatin1String("INT") || upper == QLatin1String("INTERIOR") ||
        upper == QLatin1String("I"))
        return QStringLiteral("INT");
    if (upper == QLatin1String("EXT") || upper == QLatin1String("EXTERIOR") ||
        upper == QLatin1String("E"))
        return QStringLiteral("EXT");
    return QString(); // "EST", an establishing shot, says neither
}

Prefix prefixOf(const QString &heading)
{
    static const QRegularExpression prefix(
        QStringLiteral("^(INTERIOR|EXTERIOR|INT|EXT|EST|I(?=\\s*/)|E(?=\\s*/))\\.?"
                       "(?:\\s*/\\s*(INTERIOR|EXTERIOR|INT|EXT|I|E)\\.?)?"
                       "(?=[\\s.:\\-]|$)[\\s.:\\-]*"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = prefix.match(heading);
    if (!found.hasMatch())
        return {};
    const QString first = interiorOf(found.captured(1));
    const QString second = interiorOf(found.captured(2));
    Prefix result;
    result.length = found.capturedLength();
    result.interior = !second.isEmpty() && second != first ? QStringLiteral("INT/EXT") : first;
    return result;
}

} // namespace

SceneHeading parseSceneHeading(const QString &line)
{
    const QString heading = withoutTrailingGroups(withoutSceneNumbers(line));
    const Prefix prefix = prefixOf(heading);
    QString rest = heading.mid(prefix.length);
    SceneHeading result;
    result.interior = prefix.interior;
    // " - ", " -- " or a dash pair without blanks ("PARK--DAY"); a lone hyphen inside a word
    // ("X-RAY ROOM") separates nothing.
    static const QRegularExpression separator(
        QStringLiteral("\\s+[-\\x{2013}\\x{2014}]{1,2}\\s+|\\s*--\\s*"));
    QRegularExpressionMatch last;
    for (QRegularExpressionMatchIterator it = separator.globalMatch(rest); it.hasNext();)
        last = it.next();
    if (last.hasMatch()) {
        result.time = rest.mid(last.capturedEnd()).trimmed().toUpper();
        rest.truncate(last.capturedStart());
    }
    result.location = rest.trimmed();
    return result;
}
