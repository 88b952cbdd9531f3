#include "threads/ThreadModel.h"

#include "SceneIndexBuilder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::vector<float> presences(const ThreadModel &model, int thread)
{
    std::vector<float> values;
    for (const int index : model.threads().at(thread).nodes)
        values.push_back(model.nodes()[index].presence);
    return values;
}

// One simulation step written out pair by pair, as the physics is defined: springs, the
// repulsion over every ordered pair of every time slice applied in two passes, pulls,
// damping, integration and pinning.
void referenceStep(std::vector<ThreadNode> &nodes, const std::vector<Spring> &springs,
                   const ThreadModel &model, int characters, int selected, bool moveToPlane)
{
    const float dt = 0.016f;
    for (ThreadNode &node : nodes)
        node.force = Vec3{};
    for (const Spring &spring : springs) {
        ThreadNode &a = nodes[spring.first];
        ThreadNode &b = nodes[spring.second];
        const Vec3 d = a.position - b.position;
        const float l = length(d);
        Vec3 f;
        if (l != 0.0f)
            f = d * (-spring.stiffness * (l - spring.restLength)) / l;
        f -= (a.velocity - b.velocity) * spring.damping;
        if (length(f) > 5000000.0f)
            f = f * 5000000.0f / length(f);
        f.y = 0.0f;
        a.force += f;
        b.force -= f;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t base = 0; base < nodes.size(); base += characters) {
            for (int i = 0; i < characters; ++i) {
                for (int k = 0; k < characters; ++k) {
                    if (i == k)
                        continue;
                    ThreadNode &a = nodes[base + i];
                    ThreadNode &b = nodes[base + k];
                    const Vec3 d = a.position - b.position;
                    const float f = model.repulsion / (lengthSquared(d) + 0.0001f);
                    a.force += Vec3{f * d.x, 0.0f, f * d.z};
                    b.force -= Vec3{f * d.x, 0.0f, f * d.z};
                }
            }
        }
    }
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        ThreadNode &node = nodes[n];
        const float x = node.position.x;
        node.force.x -= model.axisPull * (x * x * x);
        if (moveToPlane)
            node.force.z -= model.planePull * node.position.z;
        node.force -= node.velocity * model.damping;
        const float speed = length(node.velocity);
        if (speed > 0.1f)
            node.force -= node.velocity / speed * node.mass * node.friction;
        node.velocity += node.force / node.mass * dt;
        node.velocity.y = 0.0f;
        node.position += node.velocity * dt;
        if (static_cast<int>(n % characters) == selected) {
            node.position.x = 0.0f;
            node.position.z = 0.0f;
            node.velocity = Vec3{};
        }
    }
}

int nodesPerThread(const TimeIndexVector &index, float step)
{
    ThreadModel model;
    model.buildThreads(&index, step);
    return static_cast<int>(model.threads().front().nodes.size());
}

} // namespace

TEST(ThreadModel, Nodes_StepMajorOrderWithHeightAndColour)
{
    const auto index = makeSceneIndex(3, {{0.0f, 0.5f, {1, 0, 1}}, {0.5f, 1.0f, {1, 1, 0}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    ASSERT_EQ(model.nodes().size(), 15u); // t = 0, 0.25, 0.5, 0.75, 1 for three characters
    ASSERT_EQ(model.threads().size(), 3u);
    for (int s = 0; s < 5; ++s) {
        for (int c = 0; c < 3; ++c) {
            const int at = s * 3 + c;
            EXPECT_EQ(model.threads()[c].nodes[s], at);
            const ThreadNode &node = model.nodes()[at];
            EXPECT_FLOAT_EQ(node.position.y, 20.0f * (0.5f - 0.25f * s));
            EXPECT_EQ(node.color, &index->characters[c]->color);
            // Every node starts on the unit ring around the axis, at home and at rest.
            EXPECT_NEAR(std::hypot(node.position.x, node.position.z), 1.0f, 1e-5f);
            EXPECT_EQ(node.homePosition.x, node.position.x);
            EXPECT_EQ(node.velocity.x, 0.0f);
        }
    }
    EXPECT_EQ(model.threads()[1].character, index->characters[1]);
    // A recolour of the shared character is what the node reads.
    index->characters[2]->color = QColor(1, 2, 3);
    EXPECT_EQ(*model.nodes()[2].color, QColor(1, 2, 3));
}

TEST(ThreadModel, Presence_CountsScenesSincePreviousSample)
{
    // C1 speaks only in a short scene lying between the samples 0.25 and 0.5; C2 only in
    // the first scene, which the sample 0.5 still reaches back to.
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.3f, {1, 0, 1}}, {0.3f, 0.32f, {1, 1, 0}}, {0.32f, 1.0f, {1, 0, 0}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    EXPECT_EQ(presences(model, 0), (std::vector<float>{1, 1, 1, 1, 1}));
    // Absent ends are hidden; the one present node keeps full presence.
    EXPECT_EQ(presences(model, 1), (std::vector<float>{0, 0, 1, 0, 0}));
    EXPECT_EQ(presences(model, 2), (std::vector<float>{1, 1, 1, 0, 0}));
    EXPECT_FLOAT_EQ(model.nodes()[1].mass, 15.0f);
    EXPECT_FLOAT_EQ(model.nodes()[7].mass, 100.0f);
}

TEST(ThreadModel, Presence_InteriorAbsencesStayVisible)
{
    const auto index =
        makeSceneIndex(2, {{0.0f, 0.1f, {1, 1}}, {0.1f, 0.9f, {1, 0}}, {0.9f, 1.0f, {1, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    // 0.25 still reaches back to the first scene; 0.5 and 0.75 lie in the long one.
    EXPECT_EQ(presences(model, 1), (std::vector<float>{1, 1, 0.25f, 0.25f, 1}));
}

TEST(ThreadModel, Sampling_SinglePrecisionStepCount)
{
    const auto index = makeSceneIndex(1, {{0.0f, 1.0f, {1}}});
    // Ten additions of 0.1f overshoot 1, so only ten samples are taken; 100 give 101.
    EXPECT_EQ(nodesPerThread(*index, 1.0f / 10), 10);
    EXPECT_EQ(nodesPerThread(*index, 1.0f / 100), 101);
    // A sample time on a boundary belongs to the first scene containing it.
    const auto split = makeSceneIndex(2, {{0.0f, 0.5f, {1, 0}}, {0.5f, 1.0f, {0, 1}}});
    ThreadModel model;
    model.buildThreads(split.get(), 0.5f);
    EXPECT_EQ(presences(model, 0), (std::vector<float>{1, 1, 1}));
    EXPECT_EQ(presences(model, 1), (std::vector<float>{0, 0, 1}));
}

TEST(ThreadModel, Sampling_UncoveredTimesAndInvertedScenes)
{
    // Scene 0 ends before it starts: no time lies in it, so it is never selected, but its
    // count reaches C1 through the range of the first sample that selects scene 1.
    const auto index = makeSceneIndex(2, {{0.6f, 0.4f, {0, 1}}, {0.0f, 1.0f, {1, 0}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    EXPECT_EQ(presences(model, 1), (std::vector<float>{1, 0, 0, 0, 0}));

    // Times no scene covers create no nodes.
    const auto gap = makeSceneIndex(1, {{0.0f, 0.3f, {1}}, {0.7f, 1.0f, {1}}});
    EXPECT_EQ(nodesPerThread(*gap, 0.25f), 4); // all but 0.5
}

TEST(ThreadModel, Springs_SceneLinksPerStepThenThreadLinks)
{
    const auto index = makeSceneIndex(3, {{0.0f, 1.0f, {1, 0, 1}}});
    const auto all = makeSceneIndex(3, {{0.0f, 1.0f, {1, 1, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(all.get(), 0.5f)); // three steps
    const std::vector<Spring> &springs = model.springs();
    ASSERT_EQ(springs.size(), 3u * 3u + 3u * 2u);
    // Creation order: per step the pairs (0,1), (0,2), (1,2) of present nodes.
    for (int s = 0; s < 3; ++s) {
        const int base = s * 3;
        EXPECT_TRUE(springs[s * 3].sceneLink);
        EXPECT_EQ(springs[s * 3].first, base);
        EXPECT_EQ(springs[s * 3].second, base + 1);
        EXPECT_EQ(springs[s * 3 + 1].second, base + 2);
        EXPECT_EQ(springs[s * 3 + 2].first, base + 1);
        EXPECT_FLOAT_EQ(springs[s * 3].restLength, 0.0001f);
    }
    // Then thread by thread, each consecutive pair, at its current distance.
    const Spring &link = springs[9];
    EXPECT_FALSE(link.sceneLink);
    EXPECT_EQ(link.first, 0);
    EXPECT_EQ(link.second, 3);
    EXPECT_FLOAT_EQ(link.restLength, 10.0f);
    EXPECT_FLOAT_EQ(link.stiffness, 5000.0f);
    EXPECT_FLOAT_EQ(link.damping, 100.0f);

    // An absent character takes part in no scene link.
    ASSERT_TRUE(model.buildThreads(index.get(), 0.5f));
    int sceneLinks = 0;
    for (const Spring &spring : model.springs()) {
        if (spring.sceneLink) {
            ++sceneLinks;
            EXPECT_NE(spring.first % 3, 1);
            EXPECT_NE(spring.second % 3, 1);
        }
    }
    EXPECT_EQ(sceneLinks, 3);
}

TEST(ThreadModel, Build_NoScenesLeavesViewNotReady)
{
    const auto empty = makeSceneIndex(4, {});
    ThreadModel model;
    EXPECT_FALSE(model.buildThreads(empty.get(), 0.01f));
    EXPECT_FALSE(model.graphReady());
    EXPECT_TRUE(model.nodes().empty());
    EXPECT_TRUE(model.threads().empty());
    EXPECT_EQ(model.timeIndex(), empty.get());

    // A second build replaces the first rather than appending to it.
    const auto index = makeSceneIndex(2, {{0.0f, 1.0f, {1, 1}}});
    ASSERT_TRUE(model.buildThreads(index.get(), 0.5f));
    ASSERT_TRUE(model.buildThreads(index.get(), 0.5f));
    EXPECT_EQ(model.nodes().size(), 6u);
    model.clearThreads();
    EXPECT_FALSE(model.graphReady());
    EXPECT_EQ(model.timeIndex(), nullptr);
    EXPECT_TRUE(model.springs().empty());
}

TEST(ThreadModel, Step_UnusableStepsStillTerminate)
{
    const auto index = makeSceneIndex(1, {{0.0f, 1.0f, {1}}});
    const float infinity = std::numeric_limits<float>::infinity();
    // No steps at all (1 / 0): only t = 0.
    EXPECT_EQ(nodesPerThread(*index, infinity), 1);
    // Negative, zero and NaN steps would never reach 1: they sample 0 and 1.
    EXPECT_EQ(nodesPerThread(*index, -1.0f), 2);
    EXPECT_EQ(nodesPerThread(*index, -infinity), 2);
    EXPECT_EQ(nodesPerThread(*index, 0.0f), 2);
    EXPECT_EQ(nodesPerThread(*index, std::nanf("")), 2);
    // A step too small to advance t in single precision is raised to the minimum.
    const int fine = nodesPerThread(*index, 1.0f / 100000000);
    EXPECT_GE(fine, 10000);
    EXPECT_LE(fine, 10002);
    EXPECT_EQ(nodesPerThread(*index, 5.0f), 1);
}

TEST(ThreadModel, ThreadGaps_AroundAbsences)
{
    const auto index = makeSceneIndex(
        2,
        {{0.0f, 0.1f, {1, 1}}, {0.1f, 0.6f, {1, 0}}, {0.6f, 0.7f, {1, 1}}, {0.7f, 1.0f, {1, 0}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    const Thread &thread = model.threads()[1];
    const auto &nodes = model.nodes();
    ASSERT_EQ(presences(model, 1), (std::vector<float>{1, 1, 0.25f, 1, 0}));
    EXPECT_EQ(thread.gapBefore(nodes, 2), 1);
    EXPECT_EQ(thread.gapLength(nodes, 2), 3); // p = 1, q = 3
    EXPECT_EQ(thread.gapBefore(nodes, 4), 1);
    EXPECT_EQ(thread.gapLength(nodes, 4), 3); // p = 3, q = n = 5
    EXPECT_EQ(thread.gapBefore(nodes, 0), 1); // nothing before: p = -1
    EXPECT_EQ(thread.middleIndex(nodes), 1);  // (0 + 3) / 2

    const auto silent = makeSceneIndex(1, {{0.0f, 1.0f, {0}}});
    model.buildThreads(silent.get(), 0.25f);
    EXPECT_EQ(model.threads()[0].middleIndex(model.nodes()), 2); // (n - 1 + 0) / 2
}

TEST(ThreadModel, LabelAnchors_StayOnTheThread)
{
    const auto index = makeSceneIndex(1, {{0.0f, 1.0f, {1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.01f)); // 101 nodes, middle 50
    const Thread &thread = model.threads()[0];
    // Words two steps apart from mid - half, half being half the letters.
    EXPECT_EQ(thread.labelAnchors(model.nodes(), {"JOHN", "SMITH"}), (std::vector<int>{46, 48}));

    // A long name on a short thread would start past the end: every anchor stays inside.
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f)); // 5 nodes
    const std::vector<int> anchors =
        model.threads()[0].labelAnchors(model.nodes(), {"BARTHOLOMEW", "MONTGOMERY", "III"});
    ASSERT_EQ(anchors.size(), 3u);
    for (const int anchor : anchors) {
        EXPECT_GE(anchor, 0);
        EXPECT_LE(anchor, 4);
    }
    EXPECT_TRUE(Thread{}.labelAnchors(model.nodes(), {"ANYONE"}).empty());
}

TEST(ThreadModel, Simulate_MovesOnlyInThePlane)
{
    const auto index = makeSceneIndex(4, {{0.0f, 0.5f, {1, 1, 0, 1}}, {0.5f, 1.0f, {0, 1, 1, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.1f));
    for (int frame = 0; frame < 30; ++frame)
        model.simulate(0.016f, -1, frame % 2 == 0);
    bool moved = false;
    for (const ThreadNode &node : model.nodes()) {
        EXPECT_EQ(node.position.y, node.homePosition.y);
        EXPECT_EQ(node.velocity.y, 0.0f);
        EXPECT_TRUE(std::isfinite(node.position.x) && std::isfinite(node.position.z));
        moved = moved || node.position.x != node.homePosition.x;
    }
    EXPECT_TRUE(moved);

    model.reset();
    for (const ThreadNode &node : model.nodes()) {
        EXPECT_EQ(node.position.x, node.homePosition.x);
        EXPECT_EQ(node.position.z, node.homePosition.z);
        EXPECT_EQ(node.velocity.x, 0.0f);
    }
}

TEST(ThreadModel, Simulate_RepulsionActsFourTimesPerPair)
{
    // One time step, one speaker: no springs at all, so the first step from rest is the
    // repulsion (both orders of the pair, over two passes) plus the tiny axis pull.
    const auto index = makeSceneIndex(2, {{0.0f, 1.0f, {1, 0}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), std::numeric_limits<float>::infinity()));
    ASSERT_TRUE(model.springs().empty());
    const ThreadNode a = model.nodes()[0];
    const ThreadNode b = model.nodes()[1];
    const float dz = a.position.z - b.position.z;
    const float dx = a.position.x - b.position.x;
    const float f = 50.0f / (dx * dx + dz * dz + 0.0001f);
    model.simulate(0.016f);
    EXPECT_NEAR(model.nodes()[0].velocity.z, 4.0f * f * dz / a.mass * 0.016f, 1e-5f);
    EXPECT_NEAR(model.nodes()[1].velocity.z, -4.0f * f * dz / b.mass * 0.016f, 1e-5f);
    EXPECT_NEAR(model.nodes()[0].position.z, a.position.z + model.nodes()[0].velocity.z * 0.016f,
                1e-6f);
}

TEST(ThreadModel, Simulate_SameAsPairByPairEvaluation)
{
    const auto index = makeSceneIndex(7, {{0.0f, 0.2f, {1, 1, 0, 1, 0, 0, 1}},
                                          {0.2f, 0.5f, {0, 1, 1, 1, 1, 0, 0}},
                                          {0.5f, 1.0f, {1, 0, 0, 1, 1, 1, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.05f));
    std::vector<ThreadNode> expected = model.nodes();
    for (int frame = 0; frame < 40; ++frame) {
        const int selected = frame < 20 ? -1 : 3;
        const bool plane = frame % 3 != 0;
        model.simulate(0.016f, selected, plane);
        referenceStep(expected, model.springs(), model, 7, selected, plane);
    }
    for (std::size_t n = 0; n < expected.size(); ++n) {
        ASSERT_EQ(model.nodes()[n].position.x, expected[n].position.x) << "node " << n;
        ASSERT_EQ(model.nodes()[n].position.z, expected[n].position.z) << "node " << n;
        ASSERT_EQ(model.nodes()[n].velocity.x, expected[n].velocity.x) << "node " << n;
    }
}

TEST(ThreadModel, Simulate_PinsTheSelectedThreadToTheAxis)
{
    const auto index = makeSceneIndex(3, {{0.0f, 1.0f, {1, 1, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    model.simulate(0.016f, 1, true);
    for (int s = 0; s < 5; ++s) {
        const ThreadNode &pinned = model.nodes()[s * 3 + 1];
        EXPECT_EQ(pinned.position.x, 0.0f);
        EXPECT_EQ(pinned.position.z, 0.0f);
        EXPECT_EQ(pinned.velocity.x, 0.0f);
        EXPECT_NE(model.nodes()[s * 3].position.z, 0.0f);
    }
    // Out of range: nothing pinned.
    model.reset();
    model.simulate(0.016f, 3, false);
    for (const ThreadNode &node : model.nodes())
        EXPECT_FALSE(node.position.x == 0.0f && node.position.z == 0.0f);
}

TEST(ThreadModel, Convergence_PresentOnAxisAbsencesBulgeByLayer)
{
    // Threads 0 and 1 are absent at step 3 only; thread 2 is always present.
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.3f, {1, 1, 1}}, {0.3f, 0.8f, {0, 0, 1}}, {0.8f, 1.0f, {1, 1, 1}}});
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.25f));
    ASSERT_EQ(presences(model, 0), (std::vector<float>{1, 1, 1, 0.25f, 1}));
    for (int frame = 0; frame < 3; ++frame)
        model.simulate(0.016f);
    model.placeConvergence(0.1f);
    const auto &nodes = model.nodes();
    for (int i = 0; i < 3; ++i) {
        const float layer = (0.5f - i / 3.0f) * 18.0f;
        for (int s = 0; s < 5; ++s) {
            const ThreadNode &node = nodes[model.threads()[i].nodes[s]];
            EXPECT_FLOAT_EQ(node.position.z, layer);
            if (node.presence > 0.75f) {
                EXPECT_EQ(node.position.x, 0.0f);
            }
        }
    }
    EXPECT_FLOAT_EQ(nodes[0].position.z, 9.0f);
    // The absence at step 3 spans p = 2 .. q = 4: e = 3, f = 1.
    const float bulge = std::sin(1.0f / 3.0f * 3.1415f) * (100.0f / 5.0f * 0.1f * 3.0f);
    EXPECT_FLOAT_EQ(nodes[3 * 3 + 0].position.x, -bulge); // even thread: left
    EXPECT_FLOAT_EQ(nodes[3 * 3 + 1].position.x, bulge);  // odd thread: right
    EXPECT_EQ(nodes[3 * 3 + 2].position.x, 0.0f);
}

TEST(ThreadModel, LayoutRevision_ChangesWithEveryMoveAndDiffersBetweenModels)
{
    const auto index = makeSceneIndex(2, {{0.0f, 1.0f, {1, 1}}});
    ThreadModel model;
    ThreadModel other;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.5f));
    ASSERT_TRUE(other.buildThreads(index.get(), 0.5f));
    EXPECT_NE(model.layoutRevision(), other.layoutRevision());

    std::uint64_t last = model.layoutRevision();
    const auto changes = [&model, &last] {
        const bool changed = model.layoutRevision() != last;
        last = model.layoutRevision();
        return changed;
    };
    model.simulate(0.016f);
    EXPECT_TRUE(changes());
    model.placeConvergence(0.1f);
    EXPECT_TRUE(changes());
    model.reset();
    EXPECT_TRUE(changes());
    model.mutableNodes();
    EXPECT_TRUE(changes());
    model.clearThreads();
    EXPECT_TRUE(changes());
    (void)model.nodes();
    EXPECT_FALSE(changes());
}

TEST(ThreadModel, CrowdedLayout_RefusedWithAReason)
{
    // 300 threads in one scene: 44,850 pairs repel in each time step, and as many are linked.
    auto index = makeSceneIndex(300, {{0.0f, 1.0f, std::vector<int>(300, 1)}});
    ThreadModel model;
    EXPECT_EQ(ThreadModel::layoutTooLarge(*index, 0.01f),
              "300 characters over 101 time steps are more than the thread view lays out in "
              "good time (about 199 at these steps)");
    EXPECT_FALSE(model.buildThreads(index.get(), 0.01f));
    // The cast the reason names is laid out.
    auto fitting = makeSceneIndex(199, {{0.0f, 1.0f, std::vector<int>(199, 1)}});
    EXPECT_EQ(ThreadModel::layoutTooLarge(*fitting, 0.01f), QString());
    // Eleven steps make a tenth of the pairs.
    EXPECT_EQ(ThreadModel::layoutTooLarge(*index, 0.1f), QString());
    EXPECT_TRUE(model.buildThreads(index.get(), 0.1f));
}
