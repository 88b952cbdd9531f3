#include "facts/PageGrid.h"

#include "reader/ScreenplayWords.h"

#include <algorithm>
#include <cmath>

namespace {

int pageNumber(const QString &marker)
{
    return marker.mid(1, marker.size() - 2).toInt();
}

// Where each page begins. A marker that repeats the number of the one before (a typed page
// marker printed on the page a reader marked already) begins no page.
std::vector<int> pageMarkerLines(const QStringList &lines)
{
    std::vector<int> markers;
    int previous = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lines.at(i).trimmed();
        if (!isPageMarker(text))
            continue;
        const int number = pageNumber(text);
        if (number != previous)
            markers.push_back(i);
        previous = number;
    }
    return markers;
}

// Whether the lines before the first marker are a title page: they are unless the first
// marker begins a later page than the first ("[2]"), so that they were page 1.
bool beginsWithTitlePage(const QStringList &lines, int firstMarker)
{
    return pageNumber(lines.at(firstMarker).trimmed()) <= 1;
}

// The length in lines of the page each line is on; 0 for title-page lines.
std::vector<int> pageLengths(const QStringList &lines, const std::vector<int> &markers)
{
    const int lineCount = lines.size();
    std::vector<int> lengths(static_cast<size_t>(lineCount), PageGrid::typedPageLines);
    if (markers.empty())
        return lengths;
    int longest = PageGrid::typedPageLines;
    for (size_t p = 0; p + 1 < markers.size(); ++p)
        longest = std::max(longest, markers[p + 1] - markers[p]);
    const int firstPageLines = beginsWithTitlePage(lines, markers.front()) ? 0 : longest;
    std::fill(lengths.begin(), lengths.begin() + markers.front(), firstPageLines);
    for (size_t p = 0; p < markers.size(); ++p) {
        const bool last = p + 1 == markers.size();
        const int end = last ? lineCount : markers[p + 1];
        const int length = last ? longest : end - markers[p];
        std::fill(lengths.begin() + markers[p], lengths.begin() + end, length);
    }
    return lengths;
}

} // namespace

PageGrid::PageGrid(const QStringList &lines)
{
    const std::vector<int> lengths = pageLengths(lines, pageMarkerLines(lines));
    m_before.reserve(lengths.size() + 1);
    m_before.push_back(0.0);
    for (const int length : lengths)
        m_before.push_back(m_before.back() + (length > 0 ? 1.0 / length : 0.0));
}

double PageGrid::pagesOf(int first, int end) const
{
    const int last = lineCount();
    first = std::clamp(first, 0, last);
    end = std::clamp(end, first, last);
    return m_before[static_cast<size_t>(end)] - m_before[static_cast<size_t>(first)];
}

int PageGrid::eighths(double pages, bool holdsText)
{
    const int rounded = static_cast<int>(std::lround(pages * 8.0));
    return holdsText ? std::max(rounded, 1) : rounded;
}
