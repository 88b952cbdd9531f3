#include "reader/PdfFrontMatter.h"

#include "reader/ScreenplayWords.h"

#include <algorithm>

namespace {

bool hasHeading(const PrintedPage &page)
{
    return std::any_of(page.lines.begin(), page.lines.end(),
                       [](const PrintedLine &line) { return isSceneHeading(line.text); });
}

bool hasTitlePageLine(const PrintedPage &page)
{
    return std::any_of(page.lines.begin(), page.lines.end(),
                       [](const PrintedLine &line) { return isTitlePageLine(line.text); });
}

} // namespace

int frontMatterPages(const QVector<PrintedPage> &pages)
{
    const auto firstWithHeading = std::find_if(pages.begin(), pages.end(), hasHeading);
    if (firstWithHeading != pages.end())
        return static_cast<int>(firstWithHeading - pages.begin());
    const auto firstWithout = std::find_if_not(pages.begin(), pages.end(), hasTitlePageLine);
    // Every page naming a draft or a date is no title page but a screenplay that does.
    return firstWithout == pages.end() ? 0 : static_cast<int>(firstWithout - pages.begin());
}
