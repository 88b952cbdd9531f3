#include "reader/PdfFrontMatter.h"

#include "reader/PdfPageFurniture.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool hasHeading(const PrintedPage &page)
{
    return std::any_of(page.lines.begin(), page.lines.end(), [](const PrintedLine &line) {
        return PdfPageFurniture::isSceneHeading(line.text);
    });
}

bool hasTitlePageLine(const PrintedPage &page)
{
    return std::any_of(page.lines.begin(), page.lines.end(),
                       [](const PrintedLine &line) { return isTitlePageLine(line.text); });
}

} // namespace

bool isTitlePageLine(const QString &text)
{
    static const QRegularExpression key(
        QStringLiteral(
            "^\\s*(?:title|credit|author|authors|source|draft date|contact|copyright|notes)\\s*:"
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

int frontMatterPages(const QVector<PrintedPage> &pages)
{
    const auto firstWithHeading = std::find_if(pages.begin(), pages.end(), hasHeading);
    if (firstWithHeading != pages.end())
        return static_cast<int>(firstWithHeading - pages.begin());
    const auto firstWithout = std::find_if_not(pages.begin(), pages.end(), hasTitlePageLine);
    // Every page naming a draft or a date is no title page but a screenplay that does.
    return firstWithout == pages.end() ? 0 : static_cast<int>(firstWithout - pages.begin());
}
