#pragma once

#include <QStringList>

#include <vector>

// How much of a printed page each line of a laid-out screenplay takes. The page markers
// ("[N]") divide the text into pages, each as long as its lines from one marker to the next;
// the last page, and a text without markers, count `typedPageLines` lines a page (or the
// longest marked page, when that is longer). Lines before the first marker of a text that has
// markers are its title page and take no page.
class PageGrid
{
public:
    // A typed page: US Letter in 12-point Courier with the usual margins.
    static constexpr int typedPageLines = 55;

    explicit PageGrid(const QStringList &lines);

    // The pages taken by the lines first..end-1, unrounded.
    double pagesOf(int first, int end) const;
    double totalPages() const { return m_before.empty() ? 0.0 : m_before.back(); }
    int lineCount() const { return static_cast<int>(m_before.size()) - 1; }

    // Pages rounded to the nearest eighth, as a count of eighths; what holds any text takes at
    // least one.
    static int eighths(double pages, bool holdsText);

private:
    std::vector<double> m_before; // pages taken by the lines before line i; one more than lines
};
