#pragma once

#include <vector>

class StorylineFrame;
class StorylineOrder;

// Lays a bundle of lines anew over a stretch of steps, every other line staying where it is:
// the path with the fewest crossings, found by dynamic programming over the places the bundle
// may take at each step. The bundle's members stand together at every step of the stretch,
// in the order they have, and keep that order; at each step they are all in one group (then
// they stay among its members) or they are the whole group, or stand alone (then they go
// between units). The bundle only moves when that removes crossings.
//
// The rerouter keeps its working memory from one bundle to the next: a search reroutes every
// line and group many times over.
class StorylineRerouter
{
public:
    // A `window` above 0 keeps each step's places within that many positions of the present
    // one, for storylines too large to try every place.
    StorylineRerouter(const StorylineFrame &frame, int window);

    // True when the bundle moved; false too when its members do not stand together as said.
    bool rerouteBundle(StorylineOrder &order, const std::vector<int> &members, int first, int last);
    // rerouteBundle of one character's line over its whole length.
    bool rerouteLine(StorylineOrder &order, int character);

private:
    // One step of the stretch: its order without the bundle (the bundle stood at `present`),
    // and the places where the bundle may go back in, m_places[placesBegin..placesEnd).
    struct Step
    {
        int step = 0;
        int present = 0;
        int placesBegin = 0;
        int placesEnd = 0;
    };

    bool prepareStep(const StorylineOrder &order, const std::vector<int> &members, int step);
    void crossOver(const StorylineOrder &order, const Step &from, const Step &to, long long weight);
    void edgeCrossings(const StorylineOrder &order, const std::vector<int> &members, int outside,
                       const Step &step, long long weight);
    void pull(int node);
    void addToPrefix(int node, int low, int high, int count, long long amount);

    const StorylineFrame &m_frame;
    int m_window;
    int m_blockSize = 0;
    std::vector<Step> m_steps;
    std::vector<int> m_places;
    std::vector<int> m_cameFrom; // parallel to m_places
    std::vector<long long> m_costs;
    std::vector<long long> m_next;
    // The tree of crossOver: least of a row under prefix additions.
    std::vector<long long> m_least;
    std::vector<int> m_leastAt;
    std::vector<long long> m_pending;
    int m_treeSize = 0;
    std::vector<int> m_chosen;
    std::vector<int> m_lineMembers;
};
