#include "reader/TitlePage.h"

#include <QRegularExpression>

bool isSceneHeading(const QString &text)
{
    static const QRegularExpression heading(QStringLiteral(
        "^(?:INT|EXT|EST|INT\\.?\\s*/\\s*EXT|EXT\\.?\\s*/\\s*INT|I\\s*/\\s*E)(?:\\.|\\s|$)"));
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
