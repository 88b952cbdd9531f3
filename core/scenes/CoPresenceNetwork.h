#pragma once

#include "facts/NetworkMeasures.h"

#include <QString>
#include <QtGlobal>

#include <vector>

class TimeIndexVector;

// An edge between every two characters present in a common scene, weighted by the number of
// scenes they share, ordered by first, then second character position (first < second).
std::vector<WeightedEdge> coPresenceEdges(const TimeIndexVector &index);

// The co-presence network of one screenplay as GraphML: a node per character of the index
// (name, count, colour, scenes), and an undirected edge between two characters for every pair
// that is present in at least one common scene, weighted by the number of scenes they share.
// Nodes are in index order and edges in order of their first, then second node, so the same
// index always gives the same file.
QString coPresenceGraphml(const TimeIndexVector &index);

// Pairs present together, counted once per scene they share (8,000 speakers in one scene make
// 32 million): past this many, the network is too dense to mean anything and its file would
// take gigabytes.
constexpr qint64 maximumCoPresenceMeetings = 1000000;

// Why the network of the index is not written, in words that follow "the network"; empty when
// it is within maximumCoPresenceMeetings.
QString coPresenceTooLarge(const TimeIndexVector &index);
