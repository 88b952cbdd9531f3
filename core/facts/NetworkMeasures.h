#pragma once

#include <vector>

// An undirected edge between two nodes, weighted (by the scenes two characters share).
struct WeightedEdge
{
    int first = 0;
    int second = 0;
    int weight = 1;
};

// The usual measures of a social network, unweighted but for the weighted degree. Distances
// (diameter, average path length) are those of the largest connected component (the first of
// equal ones), since a disconnected network has no finite diameter.
struct NetworkMeasures
{
    int nodes = 0;
    int edges = 0;
    double density = 0.0; // edges / possible edges
    double averageDegree = 0.0;
    int maximumDegree = 0;
    std::vector<int> maximumDegreeNodes; // every node with the maximum degree, when it is above 0
    int components = 0;                  // an isolated node is a component of its own
    std::vector<int> degree;
    std::vector<int> weightedDegree;
    // Too large a network is not measured where the cost grows faster than its edges:
    // `pathsMeasured` and `clusteringMeasured` say whether the values below were computed.
    bool clusteringMeasured = false;
    double averageClustering = 0.0; // nodes of degree below 2 count 0
    bool pathsMeasured = false;
    int diameter = 0;
    double averagePathLength = 0.0;
    std::vector<double> betweenness; // normalised by the pairs of other nodes; empty unmeasured
};

// Work (node visits) beyond which the measures that grow faster than the edges are skipped:
// about a second.
constexpr double networkWorkLimit = 2.0e8;

NetworkMeasures measureNetwork(int nodeCount, const std::vector<WeightedEdge> &edges);
