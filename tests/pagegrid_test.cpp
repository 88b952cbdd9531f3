#include "facts/PageGrid.h"

#include <gtest/gtest.h>

namespace {

QStringList linesWithMarkers(const QList<int> &pageLengths, int titleLines = 0)
{
    QStringList lines;
    for (int t = 0; t < titleLines; ++t)
        lines.append(QStringLiteral("          TITLE"));
    for (int page = 0; page < pageLengths.size(); ++page) {
        lines.append(QStringLiteral("[%1]").arg(page + 1));
        for (int l = 1; l < pageLengths.at(page); ++l)
            lines.append(QStringLiteral("text"));
    }
    return lines;
}

} // namespace

TEST(PageGridTest, MarkedPages_TakeTheirOwnLength_TheTitlePageNone)
{
    // Pages of 40 and 60 lines, then a last page of 20 lines counted against the longest (60).
    const PageGrid grid(linesWithMarkers({40, 60, 20}, 5));
    EXPECT_NEAR(grid.pagesOf(0, 5), 0.0, 1e-9);
    EXPECT_NEAR(grid.pagesOf(5, 25), 0.5, 1e-9);
    EXPECT_NEAR(grid.pagesOf(45, 75), 0.5, 1e-9);
    EXPECT_NEAR(grid.totalPages(), 2.0 + 20.0 / 60.0, 1e-9);
    EXPECT_NEAR(grid.pagesOf(-3, 1000), grid.totalPages(), 1e-9);
}

TEST(PageGridTest, UnmarkedOrRepeatedMarkers_CountTypedPages)
{
    const PageGrid unmarked(QStringList(110, QStringLiteral("text")));
    EXPECT_NEAR(unmarked.totalPages(), 2.0, 1e-9);
    // Lines before a first marker "[2]" are page 1; a repeated "[2]" begins no page.
    QStringList lines{QStringLiteral("page one"), QStringLiteral("[2]")};
    lines += QStringList(54, QStringLiteral("text"));
    lines.append(QStringLiteral("[2]"));
    lines += QStringList(54, QStringLiteral("text"));
    lines.append(QStringLiteral("[3]"));
    const PageGrid grid(lines);
    EXPECT_NEAR(grid.pagesOf(1, 111), 1.0, 1e-9);
    EXPECT_NEAR(grid.pagesOf(0, 1), 1.0 / 110.0, 1e-9);
}

TEST(PageGridTest, Eighths_RoundToTheNearest_WithOneForAnyText)
{
    EXPECT_EQ(PageGrid::eighths(1.37, true), 11);
    EXPECT_EQ(PageGrid::eighths(0.01, true), 1);
    EXPECT_EQ(PageGrid::eighths(0.01, false), 0);
}
