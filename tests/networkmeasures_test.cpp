#include "facts/NetworkMeasures.h"

#include <gtest/gtest.h>

// A triangle 0-1-2 with a tail 2-3, and node 4 alone: values worked out by hand.
TEST(NetworkMeasuresTest, TriangleWithTailAndIsolatedNode)
{
    const NetworkMeasures measures =
        measureNetwork(5, {{0, 1, 2}, {0, 2, 1}, {1, 2, 1}, {2, 3, 3}});
    EXPECT_EQ(measures.nodes, 5);
    EXPECT_EQ(measures.edges, 4);
    EXPECT_DOUBLE_EQ(measures.density, 0.4);
    EXPECT_DOUBLE_EQ(measures.averageDegree, 1.6);
    EXPECT_EQ(measures.degree, (std::vector<int>{2, 2, 3, 1, 0}));
    EXPECT_EQ(measures.weightedDegree, (std::vector<int>{3, 3, 5, 3, 0}));
    EXPECT_EQ(measures.maximumDegree, 3);
    EXPECT_EQ(measures.maximumDegreeNodes, (std::vector<int>{2}));
    EXPECT_EQ(measures.components, 2);
    // Clustering 1, 1, 1/3, 0, 0 over five nodes.
    ASSERT_TRUE(measures.clusteringMeasured);
    EXPECT_NEAR(measures.averageClustering, (2.0 + 1.0 / 3.0) / 5.0, 1e-12);
    // The largest component {0,1,2,3}: distances 1,1,2 / 1,2 / 1 over its six pairs.
    ASSERT_TRUE(measures.pathsMeasured);
    EXPECT_EQ(measures.diameter, 2);
    EXPECT_DOUBLE_EQ(measures.averagePathLength, 8.0 / 6.0);
    // Node 2 lies on the shortest paths 0-3 and 1-3, of the six pairs of the other four nodes.
    EXPECT_EQ(measures.betweenness, (std::vector<double>{0.0, 0.0, 2.0 / 6.0, 0.0, 0.0}));
}

TEST(NetworkMeasuresTest, EmptyAndTinyNetworks_GiveZerosNotNaN)
{
    const NetworkMeasures none = measureNetwork(0, {});
    EXPECT_EQ(none.components, 0);
    EXPECT_EQ(none.density, 0.0);
    EXPECT_EQ(none.averageClustering, 0.0);
    const NetworkMeasures pair = measureNetwork(2, {{0, 1, 4}});
    EXPECT_EQ(pair.density, 1.0);
    EXPECT_EQ(pair.diameter, 1);
    EXPECT_EQ(pair.betweenness, (std::vector<double>{0.0, 0.0}));
    EXPECT_TRUE(measureNetwork(3, {}).maximumDegreeNodes.empty());
}

TEST(NetworkMeasuresTest, CrowdedNetwork_SkipsTheCostlyMeasures)
{
    // Everyone meets everyone: 1,000 nodes, about half a million edges.
    const int n = 1000;
    std::vector<WeightedEdge> edges;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b)
            edges.push_back({a, b, 1});
    }
    const NetworkMeasures measures = measureNetwork(n, edges);
    EXPECT_DOUBLE_EQ(measures.density, 1.0);
    EXPECT_EQ(measures.maximumDegreeNodes.size(), size_t(n));
    EXPECT_FALSE(measures.pathsMeasured);
    EXPECT_FALSE(measures.clusteringMeasured);
    EXPECT_TRUE(measures.betweenness.empty());
}
