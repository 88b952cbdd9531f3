#include "reader/ScreenplayWords.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool isDash(const QString &word)
{
    return word == QLatin1String("-") || word == QChar(0x2013) || word == QChar(0x2014);
}

} // namespace

bool isCapitals(const QString &text)
{
    const bool letter = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    return letter && text == text.toUpper();
}

bool isPageMarker(const QString &line)
{
    static const QRegularExpression marker(QStringLiteral("^\\[\\d+\\]$"));
    return marker.match(line).hasMatch();
}

bool isSceneHeading(const QString &text)
{
    static const QRegularExpression heading(
        QStringLiteral("^(?:\\d{1,4}[A-Z]{0,2}\\.?\\s+)?(?:INT|EXT|EST|INT\\.?\\s*/"
                       "\\s*EXT|EXT\\.?\\s*/\\s*INT|I\\s*/\\s*E)(?:\\.|\\s|$)"));
    return heading.match(text.trimmed()).hasMatch();
}

bool isTitlePageLine(const QString &text)
{
    static const QRegularExpression key(
        QStringLiteral(
            "^\\s*(?:title|credit|author|authors|source|draft date|contact|copyright)\\s*:"
            "|\\b(?:written|screenplay|story|teleplay|adapted)\\s+by\\b"
            "|^\\s*by\\s*$"
            "|\\bdraft\\b"
            "|\\b(?:jan|feb|mar|apr|may|jun|jul|aug|sep|oct|nov|dec)[a-z]*\\.?\\s+\\d{1,2},?\\s+"
            "\\d{4}\\b"
            "|\\b\\d{1,2}[/.]\\d{1,2}[/.]\\d{2,4}\\b"
            "|\\b\\d+\\s+\\w+(?:\\s+\\w+)?\\s+(?:street|st\\.|avenue|ave\\.|road|rd\\.|lane|blvd\\."
            "?|boulevard|drive)\\b"
            "|\\S+@\\S+\\.\\w+"
            "|\\(\\d{3}\\)\\s*\\d{3}-\\d{4}"
            "|^\\s*(?:\\x{00A9}|\\(c\\))"),
        QRegularExpression::CaseInsensitiveOption);
    return key.match(text).hasMatch();
}

int speechNumberWords(const QStringList &words)
{
    static const QRegularExpression bare(QStringLiteral("^\\d{1,4}$"));
    static const QRegularExpression marked(QStringLiteral("^\\d{1,4}[.):]$"));
    int length = 0;
    if (words.size() >= 3 && bare.match(words.at(0)).hasMatch() && isDash(words.at(1)))
        length = 2;
    else if (words.size() >= 2 && marked.match(words.at(0)).hasMatch())
        length = 1;
    return length > 0 && isCapitals(words.at(length)) ? length : 0;
}
