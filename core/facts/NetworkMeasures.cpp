#include "facts/NetworkMeasures.h"

#include <algorithm>
#include <queue>

namespace {

struct Neighbour
{
    int node;
    int weight;
};

using Adjacency = std::vector<std::vector<Neighbour>>;

Adjacency adjacencyOf(int nodeCount, const std::vector<WeightedEdge> &edges)
{
    Adjacency adjacency(static_cast<size_t>(nodeCount));
    for (const WeightedEdge &edge : edges) {
        adjacency[static_cast<size_t>(edge.first)].push_back({edge.second, edge.weight});
        adjacency[static_cast<size_t>(edge.second)].push_back({edge.first, edge.weight});
    }
    return adjacency;
}

// The component number of every node, numbered from 0 in order of their first node.
std::vector<int> componentsOf(const Adjacency &adjacency, int &count)
{
    std::vector<int> component(adjacency.size(), -1);
    count = 0;
    std::vector<int> stack;
    for (size_t start = 0; start < adjacency.size(); ++start) {
        if (component[start] >= 0)
            continue;
        component[start] = count;
        stack.assign(1, static_cast<int>(start));
        while (!stack.empty()) {
            const int node = stack.back();
            stack.pop_back();
            for (const Neighbour &next : adjacency[static_cast<size_t>(node)]) {
                if (component[static_cast<size_t>(next.node)] < 0) {
                    component[static_cast<size_t>(next.node)] = count;
                    stack.push_back(next.node);
                }
            }
        }
        ++count;
    }
    return component;
}

double averageClustering(const Adjacency &adjacency)
{
    std::vector<char> isNeighbour(adjacency.size(), 0);
    double sum = 0.0;
    for (const std::vector<Neighbour> &neighbours : adjacency) {
        const double degree = static_cast<double>(neighbours.size());
        if (neighbours.size() < 2)
            continue;
        for (const Neighbour &n : neighbours)
            isNeighbour[static_cast<size_t>(n.node)] = 1;
        double links = 0.0; // each link among the neighbours is seen from both of its ends
        for (const Neighbour &n : neighbours) {
            for (const Neighbour &m : adjacency[static_cast<size_t>(n.node)])
                links += isNeighbour[static_cast<size_t>(m.node)];
        }
        for (const Neighbour &n : neighbours)
            isNeighbour[static_cast<size_t>(n.node)] = 0;
        sum += links / (degree * (degree - 1.0));
    }
    return adjacency.empty() ? 0.0 : sum / static_cast<double>(adjacency.size());
}

// Brandes' algorithm: one breadth-first search per node gives its shortest paths, from which
// both the betweenness and the distances within its component follow.
struct PathWalk
{
    const Adjacency &adjacency;
    const std::vector<int> &component;
    int largest; // the component whose distances are measured
    std::vector<double> betweenness;
    long long distanceSum = 0;
    long long pairs = 0;
    int diameter = 0;

    void from(int source)
    {
        const size_t n = adjacency.size();
        std::vector<int> distance(n, -1);
        std::vector<double> paths(n, 0.0);
        std::vector<double> dependency(n, 0.0);
        std::vector<int> order;
        std::queue<int> queue;
        distance[static_cast<size_t>(source)] = 0;
        paths[static_cast<size_t>(source)] = 1.0;
        queue.push(source);
        while (!queue.empty()) {
            const int node = queue.front();
            queue.pop();
            order.push_back(node);
            for (const Neighbour &next : adjacency[static_cast<size_t>(node)]) {
                const size_t m = static_cast<size_t>(next.node);
                if (distance[m] < 0) {
                    distance[m] = distance[static_cast<size_t>(node)] + 1;
                    queue.push(next.node);
                }
                if (distance[m] == distance[static_cast<size_t>(node)] + 1)
                    paths[m] += paths[static_cast<size_t>(node)];
            }
        }
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            const size_t w = static_cast<size_t>(*it);
            for (const Neighbour &previous : adjacency[w]) {
                const size_t v = static_cast<size_t>(previous.node);
                if (distance[v] == distance[w] - 1)
                    dependency[v] += paths[v] / paths[w] * (1.0 + dependency[w]);
            }
            if (*it != source)
                betweenness[w] += dependency[w];
        }
        if (component[static_cast<size_t>(source)] != largest)
            return;
        for (const int node : order) {
            distanceSum += distance[static_cast<size_t>(node)];
            diameter = std::max(diameter, distance[static_cast<size_t>(node)]);
        }
        pairs += static_cast<long long>(order.size()) - 1;
    }
};

int largestComponent(const std::vector<int> &component, int count)
{
    std::vector<int> sizes(static_cast<size_t>(count), 0);
    for (const int c : component)
        ++sizes[static_cast<size_t>(c)];
    return static_cast<int>(std::max_element(sizes.begin(), sizes.end()) - sizes.begin());
}

void measurePaths(const Adjacency &adjacency, const std::vector<int> &component,
                  NetworkMeasures &measures)
{
    const int n = measures.nodes;
    PathWalk walk{adjacency, component, largestComponent(component, measures.components),
                  std::vector<double>(static_cast<size_t>(n), 0.0)};
    for (int source = 0; source < n; ++source)
        walk.from(source);
    // Each pair was walked from both ends; normalised by the pairs of the other nodes.
    const double pairsOfOthers = (n - 1.0) * (n - 2.0);
    for (double &value : walk.betweenness)
        value = n > 2 ? value / pairsOfOthers : 0.0;
    measures.betweenness = std::move(walk.betweenness);
    measures.diameter = walk.diameter;
    measures.averagePathLength =
        walk.pairs > 0 ? static_cast<double>(walk.distanceSum) / static_cast<double>(walk.pairs)
                       : 0.0;
    measures.pathsMeasured = true;
}

void measureDegrees(const Adjacency &adjacency, NetworkMeasures &measures)
{
    for (size_t k = 0; k < adjacency.size(); ++k) {
        int weighted = 0;
        for (const Neighbour &n : adjacency[k])
            weighted += n.weight;
        const int degree = static_cast<int>(adjacency[k].size());
        measures.degree.push_back(degree);
        measures.weightedDegree.push_back(weighted);
        if (degree > measures.maximumDegree) {
            measures.maximumDegree = degree;
            measures.maximumDegreeNodes.clear();
        }
        if (degree > 0 && degree == measures.maximumDegree)
            measures.maximumDegreeNodes.push_back(static_cast<int>(k));
    }
}

} // namespace

NetworkMeasures measureNetwork(int nodeCount, const std::vector<WeightedEdge> &edges)
{
    NetworkMeasures measures;
    measures.nodes = nodeCount;
    measures.edges = static_cast<int>(edges.size());
    const double n = nodeCount;
    measures.density = nodeCount > 1 ? 2.0 * measures.edges / (n * (n - 1.0)) : 0.0;
    measures.averageDegree = nodeCount > 0 ? 2.0 * measures.edges / n : 0.0;
    const Adjacency adjacency = adjacencyOf(nodeCount, edges);
    measureDegrees(adjacency, measures);
    const std::vector<int> component = componentsOf(adjacency, measures.components);
    double clusteringWork = 0.0;
    for (const int degree : measures.degree)
        clusteringWork += static_cast<double>(degree) * degree;
    if (clusteringWork <= networkWorkLimit) {
        measures.averageClustering = averageClustering(adjacency);
        measures.clusteringMeasured = true;
    }
    if (n * (n + 2.0 * measures.edges) <= networkWorkLimit)
        measurePaths(adjacency, component, measures);
    return measures;
}
