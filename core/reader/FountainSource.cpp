#include "reader/FountainSource.h"

#include <QRegularExpression>

#include <algorithm>

namespace FountainSource {

namespace {

// Private-use stand-ins for escaped markers while emphasis is removed.
const QChar escapedStar(0xE000);
const QChar escapedUnderscore(0xE001);

struct OutputLine
{
    QString text;
    bool removedSomething = false;
};

// Finds where comments end. Positions only grow, so the next closer found is remembered:
// many openers without a closer then cost one search, not one each.
class CommentCloser
{
public:
    explicit CommentCloser(const QString &text)
        : m_text(text)
    {
    }

    // The end of the comment that opens at `at`, or -1 when none opens there or it never
    // closes.
    int endOf(int at)
    {
        const QStringView rest = QStringView(m_text).mid(at);
        if (rest.startsWith(QLatin1String("/*")))
            return after(QStringLiteral("*/"), m_boneyardClose, at + 2);
        if (rest.startsWith(QLatin1String("[[")))
            return after(QStringLiteral("]]"), m_noteClose, at + 2);
        return -1;
    }

private:
    int after(const QString &closer, int &cached, int from)
    {
        if (cached != notSearched && (cached < 0 || cached >= from))
            return cached < 0 ? -1 : cached + 2;
        cached = m_text.indexOf(closer, from);
        return cached < 0 ? -1 : cached + 2;
    }

    static constexpr int notSearched = -2;
    const QString &m_text;
    int m_boneyardClose = notSearched;
    int m_noteClose = notSearched;
};

bool isTitleKeyLine(const QString &line)
{
    static const QRegularExpression keyLine(QStringLiteral("^\\s*([A-Za-z][A-Za-z0-9 '._-]*):"));
    static const QStringList knownKeys{"TITLE",     "CREDIT",     "AUTHOR",  "AUTHORS",
                                       "SOURCE",    "DRAFT DATE", "DATE",    "CONTACT",
                                       "COPYRIGHT", "NOTES",      "REVISION"};
    const QRegularExpressionMatch match = keyLine.match(line);
    if (!match.hasMatch())
        return false;
    const QString key = match.captured(1).trimmed();
    const QString upper = key.toUpper();
    if (knownKeys.contains(upper))
        return true;
    // "FADE IN:" or "CUT TO:" opening a script is a transition, not a key.
    const bool transition = upper == QLatin1String("FADE IN") || upper.endsWith(" TO");
    return key != upper && !transition;
}

QString withoutPairedMarkers(QString paragraph)
{
    static const QRegularExpression markers[] = {
        QRegularExpression(QStringLiteral("\\*\\*\\*(?=\\S)(.{1,2000}?)(?<=\\S)\\*\\*\\*"),
                           QRegularExpression::DotMatchesEverythingOption),
        QRegularExpression(QStringLiteral("\\*\\*(?=\\S)(.{1,2000}?)(?<=\\S)\\*\\*"),
                           QRegularExpression::DotMatchesEverythingOption),
        QRegularExpression(QStringLiteral("\\*(?=\\S)(.{1,2000}?)(?<=\\S)\\*"),
                           QRegularExpression::DotMatchesEverythingOption),
        QRegularExpression(QStringLiteral("_(?=\\S)(.{1,2000}?)(?<=\\S)_"),
                           QRegularExpression::DotMatchesEverythingOption),
    };
    // The bounded span keeps a long paragraph of unpaired markers from taking quadratic time.
    for (const QRegularExpression &marker : markers)
        paragraph.replace(marker, QStringLiteral("\\1"));
    return paragraph;
}

} // namespace

QStringList splitLines(const QString &text)
{
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    unified.replace(QLatin1Char('\t'), QLatin1String("    "));
    QStringList lines = unified.split(QLatin1Char('\n'));
    // A final line end does not open another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList withoutComments(const QStringList &lines)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (!text.contains(QLatin1String("/*")) && !text.contains(QLatin1String("[[")))
        return lines;
    CommentCloser closer(text);
    QVector<OutputLine> output(1);
    for (int at = 0; at < text.size();) {
        const int end = closer.endOf(at);
        if (end >= 0) {
            output.last().removedSomething = true;
            at = end;
        } else if (text.at(at) == QLatin1Char('\n')) {
            output.append(OutputLine());
            ++at;
        } else {
            output.last().text += text.at(at);
            ++at;
        }
    }
    QStringList result;
    for (const OutputLine &line : output) {
        if (!line.removedSomething || !line.text.trimmed().isEmpty())
            result.append(line.text);
    }
    return result;
}

QStringList withoutTitlePage(const QStringList &lines)
{
    int first = 0;
    while (first < lines.size() && lines.at(first).trimmed().isEmpty())
        ++first;
    if (first == lines.size() || !isTitleKeyLine(lines.at(first)))
        return lines;
    int end = first;
    while (end < lines.size() && !lines.at(end).trimmed().isEmpty())
        ++end;
    return lines.mid(end);
}

QStringList withoutEmphasis(const QStringList &lines)
{
    QStringList result;
    result.reserve(lines.size());
    QStringList paragraph;
    auto flush = [&] {
        if (paragraph.isEmpty())
            return;
        const bool marked = std::any_of(paragraph.begin(), paragraph.end(), [](const QString &l) {
            return l.contains(QLatin1Char('*')) || l.contains(QLatin1Char('_'));
        });
        if (!marked) {
            result.append(paragraph);
            paragraph.clear();
            return;
        }
        QString text = paragraph.join(QLatin1Char('\n'));
        text.replace(QLatin1String("\\*"), escapedStar);
        text.replace(QLatin1String("\\_"), escapedUnderscore);
        text = withoutPairedMarkers(text);
        text.replace(escapedStar, QLatin1Char('*'));
        text.replace(escapedUnderscore, QLatin1Char('_'));
        result.append(text.split(QLatin1Char('\n')));
        paragraph.clear();
    };
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty()) {
            flush();
            result.append(line);
        } else {
            paragraph.append(line);
        }
    }
    flush();
    return result;
}

} // namespace FountainSource
