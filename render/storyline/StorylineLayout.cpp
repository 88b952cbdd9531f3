#include "storyline/StorylineLayout.h"

#include "storyline/StorylineFrame.h"
#include "storyline/StorylineOrder.h"
#include "storyline/StorylineOrdering.h"
#include "storyline/StorylineSearch.h"
#include "storyline/StorylineSlots.h"

#include <algorithm>
#include <utility>

namespace {

StorylineLayout finished(const StorylineFrame &frame, const StorylineOrder &order)
{
    StorylineLayout layout;
    layout.stepCount = frame.stepCount();
    for (int s = 0; s < frame.stepCount(); ++s)
        layout.order.push_back(order.at(s));
    layout.lineSlots = assignSlots(frame, order);
    layout.crossings = order.crossings();
    layout.wiggles = countWiggles(layout.lineSlots);
    for (const std::vector<int> &line : layout.lineSlots) {
        for (const int slot : line)
            layout.slotCount = std::max(layout.slotCount, slot + 1);
    }
    return layout;
}

bool isBetter(const StorylineLayout &a, const StorylineLayout &b)
{
    return a.crossings != b.crossings ? a.crossings < b.crossings : a.wiggles < b.wiggles;
}

} // namespace

StorylineLayout layoutStoryline(const StorylineSteps &steps, const std::function<bool()> &canceled)
{
    const StorylineFrame frame(steps);
    const StorylineOrder searched = searchFewestCrossings(frame, canceled);
    // Whoever stopped the search will not look at the answer: none is made.
    if (canceled && canceled())
        return StorylineLayout();
    StorylineLayout layout = finished(frame, searched);
    const StorylineOrder baseline = firstAppearanceOrder(frame);
    // Slots only decide between equal crossings.
    if (baseline.crossings() > layout.crossings)
        return layout;
    StorylineLayout first = finished(frame, baseline);
    return isBetter(first, layout) ? std::move(first) : std::move(layout);
}

StorylineLayout firstAppearanceLayout(const StorylineSteps &steps)
{
    const StorylineFrame frame(steps);
    return finished(frame, firstAppearanceOrder(frame));
}
