#include "threads/ThreadModel.h"

#include "scenes/TimeIndexVector.h"
#include "support/Random15.h"

#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

namespace {

constexpr float presentThreshold = 0.7f;
constexpr float absentPresence = 0.25f;
constexpr float absentMass = 15.0f;
constexpr float springStiffness = 5000.0f;
constexpr float springDamping = 100.0f;
constexpr float maximumSpringForce = 5000000.0f;
constexpr float repulsionSoftening = 0.0001f;
// The layout's circle and arcs use this value rather than pi; kept so layouts stay as
// they have always been.
constexpr float halfTurn = 3.1415f;

// Shared by all models, so that no two layouts ever carry the same revision.
std::atomic<std::uint64_t> lastLayoutRevision{0};

// The first scene, in list order, whose range contains t; -1 when none does.
int sceneAt(const std::vector<Scene> &scenes, float t)
{
    for (std::size_t j = 0; j < scenes.size(); ++j) {
        if (scenes[j].start <= t && t <= scenes[j].end)
            return static_cast<int>(j);
    }
    return -1;
}

// Whether character c speaks in any of the scenes first .. last (inclusive).
bool speaksIn(const std::vector<Scene> &scenes, int first, int last, int c)
{
    for (int s = first; s <= last; ++s) {
        if (scenes[s].counts.value(c) != 0)
            return true;
    }
    return false;
}

// The number of nodes present at each time sample, as addStepNodes finds them.
std::vector<qint64> presentPerSample(const TimeIndexVector &index, float step)
{
    const std::vector<Scene> &scenes = index.scenes;
    const int characterCount = static_cast<int>(index.characters.size());
    std::vector<qint64> present;
    int lastScene = 0;
    for (float t = 0.0f; t <= 1.0f; t = t + step) {
        const int j = sceneAt(scenes, t);
        if (j < 0)
            continue;
        qint64 count = 0;
        for (int c = 0; c < characterCount && j >= lastScene; ++c)
            count += speaksIn(scenes, lastScene, j, c) ? 1 : 0;
        present.push_back(count);
        lastScene = j;
    }
    return present;
}

} // namespace

bool Thread::isPresent(const std::vector<ThreadNode> &allNodes, int j) const
{
    return allNodes[nodes[j]].presence > presentThreshold;
}

int Thread::gapBefore(const std::vector<ThreadNode> &allNodes, int j) const
{
    int p = std::clamp(j, 0, static_cast<int>(nodes.size())) - 1;
    while (p >= 0 && !isPresent(allNodes, p))
        --p;
    return j - p;
}

int Thread::gapLength(const std::vector<ThreadNode> &allNodes, int j) const
{
    const int n = static_cast<int>(nodes.size());
    int p = std::clamp(j, 0, n) - 1;
    while (p >= 0 && !isPresent(allNodes, p))
        --p;
    int q = std::clamp(j + 1, 0, n);
    while (q < n && !isPresent(allNodes, q))
        ++q;
    return q - p + 1;
}

int Thread::middleIndex(const std::vector<ThreadNode> &allNodes) const
{
    const int n = static_cast<int>(nodes.size());
    int first = n - 1;
    int last = 0;
    for (int j = 0; j < n; ++j) {
        if (isPresent(allNodes, j)) {
            first = std::min(first, j);
            last = j;
        }
    }
    return (first + last) / 2;
}

std::vector<int> Thread::labelAnchors(const std::vector<ThreadNode> &allNodes,
                                      const QStringList &words) const
{
    const int n = static_cast<int>(nodes.size());
    std::vector<int> anchors;
    if (n == 0)
        return anchors;
    int total = 0;
    for (const QString &word : words)
        total += word.size();
    const int half = static_cast<int>(static_cast<float>(total) * 0.5f);
    const int mid = middleIndex(allNodes);
    int start = mid - half;
    if (mid + half > n - 1)
        start = n - 2 * half - 2;
    if (start - 2 * half < 0)
        start = 2 * half + 1;
    for (int k = 0; k < words.size(); ++k)
        anchors.push_back(std::clamp(start + 2 * k, 0, n - 1));
    return anchors;
}

float ThreadModel::usableStep(float step)
{
    // An infinite step (no steps at all) still samples t = 0 once and then stops.
    if (std::isnan(step) || step <= 0.0f)
        return 1.0f;
    return std::max(step, minimumStep);
}

void ThreadModel::layoutChanged()
{
    m_layoutRevision = ++lastLayoutRevision;
}

std::vector<ThreadNode> &ThreadModel::mutableNodes()
{
    layoutChanged();
    return m_nodes;
}

void ThreadModel::clearThreads()
{
    layoutChanged();
    m_graphReady = false;
    m_timeIndex = nullptr;
    m_characters.clear();
    m_nodes.clear();
    m_springs.clear();
    m_threads.clear();
}

QString ThreadModel::layoutTooLarge(const TimeIndexVector &index, float step)
{
    const qint64 characters = static_cast<qint64>(index.characters.size());
    if (characters > maximumCharacters)
        return QStringLiteral("%1 characters are more than the thread view draws (%2)")
            .arg(characters)
            .arg(maximumCharacters);
    const std::vector<qint64> present = presentPerSample(index, usableStep(step));
    const qint64 slices = static_cast<qint64>(present.size());
    qint64 pairs = slices * characters * (characters - 1) / 2;
    for (const qint64 count : present)
        pairs += count * (count - 1) / 2;
    if (pairs <= maximumPairsPerStep)
        return QString();
    // The pairs grow with the square of the cast: a cast this much smaller would fit.
    const qint64 fitting = static_cast<qint64>(
        double(characters) * std::sqrt(double(maximumPairsPerStep) / double(pairs)));
    return QStringLiteral("%1 characters over %2 time steps are more than the thread view lays "
                          "out in good time (about %3 at these steps)")
        .arg(characters)
        .arg(slices)
        .arg(fitting);
}

bool ThreadModel::buildThreads(const TimeIndexVector *index, float step)
{
    // A build always starts from nothing, so the node order invariant holds even when the
    // caller did not clear first.
    clearThreads();
    m_timeIndex = index;
    if (index == nullptr || index->scenes.empty() || !layoutTooLarge(*index, step).isEmpty())
        return false;

    m_characters = index->characters;
    const int characterCount = static_cast<int>(m_characters.size());
    graphHeight = 20.0f;

    m_threads.resize(m_characters.size());
    for (std::size_t c = 0; c < m_characters.size(); ++c)
        m_threads[c].character = m_characters[c];

    std::vector<float> angles(m_characters.size());
    for (int c = 0; c < characterCount; ++c)
        angles[c] = static_cast<float>(c) / static_cast<float>(characterCount) * 2.0f * halfTurn;
    for (int k = 1; k < characterCount; ++k)
        std::swap(angles[k], angles[Random15::draw15() % (k + 1)]);

    sampleTimeAxis(usableStep(step), angles);
    linkThreads();
    hideThreadEnds();
    m_graphReady = true;
    layoutChanged();
    return true;
}

void ThreadModel::sampleTimeAxis(float step, const std::vector<float> &angles)
{
    const std::vector<Scene> &scenes = m_timeIndex->scenes;
    int lastScene = 0;
    // t accumulates in single precision, so with 10 steps the eleventh sample lands just
    // above 1 and is not taken, while with 100 steps the last one lies just below 1.
    for (float t = 0.0f; t <= 1.0f; t = t + step) {
        const int j = sceneAt(scenes, t);
        if (j < 0)
            continue;
        addStepNodes(t, j, lastScene, angles);
        lastScene = j;
    }
}

void ThreadModel::addStepNodes(float t, int sceneIndex, int lastScene,
                               const std::vector<float> &angles)
{
    const std::vector<Scene> &scenes = m_timeIndex->scenes;
    const float y = graphHeight * (0.5f - t);
    m_presentScratch.clear();
    for (std::size_t c = 0; c < m_characters.size(); ++c) {
        ThreadNode node;
        node.position = {std::sin(angles[c]) * ringRadius, y, std::cos(angles[c]) * ringRadius};
        node.homePosition = node.position;
        node.color = &m_characters[c]->color;
        // Counting from the previous sample's scene catches characters who speak only in
        // a short scene lying between two samples.
        const bool present =
            sceneIndex >= lastScene && speaksIn(scenes, lastScene, sceneIndex, static_cast<int>(c));
        const int nodeIndex = static_cast<int>(m_nodes.size());
        if (present) {
            m_presentScratch.push_back(nodeIndex);
        } else {
            node.presence = absentPresence;
            node.mass = absentMass;
        }
        m_nodes.push_back(node);
        m_threads[c].nodes.push_back(nodeIndex);
    }
    for (std::size_t i = 0; i < m_presentScratch.size(); ++i) {
        for (std::size_t k = i + 1; k < m_presentScratch.size(); ++k) {
            m_springs.push_back({m_presentScratch[i], m_presentScratch[k], sceneLinkLength,
                                 springStiffness, springDamping, true});
        }
    }
}

void ThreadModel::linkThreads()
{
    for (const Thread &thread : m_threads) {
        for (std::size_t k = 1; k < thread.nodes.size(); ++k) {
            const int first = thread.nodes[k - 1];
            const int second = thread.nodes[k];
            const float rest = length(m_nodes[first].position - m_nodes[second].position);
            m_springs.push_back({first, second, rest, springStiffness, springDamping, false});
        }
    }
}

void ThreadModel::hideThreadEnds()
{
    for (const Thread &thread : m_threads) {
        for (auto it = thread.nodes.begin();
             it != thread.nodes.end() && m_nodes[*it].presence < presentThreshold; ++it)
            m_nodes[*it].presence = 0.0f;
        for (auto it = thread.nodes.rbegin();
             it != thread.nodes.rend() && m_nodes[*it].presence < presentThreshold; ++it)
            m_nodes[*it].presence = 0.0f;
    }
}

void ThreadModel::reset()
{
    layoutChanged();
    for (ThreadNode &node : m_nodes) {
        node.position = node.homePosition;
        node.velocity = Vec3{};
    }
}

void ThreadModel::simulate(float dt, int selectedIndex, bool moveToPlane)
{
    if (m_timeIndex == nullptr)
        return;
    layoutChanged();
    const int characterCount = this->characterCount();
    for (ThreadNode &node : m_nodes)
        node.force = Vec3{};

    applySprings();
    repelSlices();
    if (m_threads.empty())
        return;

    for (ThreadNode &node : m_nodes) {
        if (axisPull != 0.0f) {
            const float x = node.position.x;
            node.force.x -= axisPull * (x * x * x);
        }
        if (moveToPlane)
            node.force.z -= planePull * node.position.z;
        node.force -= node.velocity * damping;
    }
    integrate(dt);

    if (selectedIndex >= 0 && selectedIndex < characterCount) {
        for (const int index : m_threads[selectedIndex].nodes) {
            ThreadNode &node = m_nodes[index];
            node.position.x = 0.0f;
            node.position.z = 0.0f;
            node.velocity = Vec3{};
        }
    }
}

void ThreadModel::applySprings()
{
    for (const Spring &spring : m_springs) {
        ThreadNode &first = m_nodes[spring.first];
        ThreadNode &second = m_nodes[spring.second];
        const Vec3 d = first.position - second.position;
        const float distance = length(d);
        Vec3 force;
        if (distance != 0.0f)
            force = d * (-spring.stiffness * (distance - spring.restLength)) / distance;
        force -= (first.velocity - second.velocity) * spring.damping;
        const float magnitude = length(force);
        if (magnitude > maximumSpringForce)
            force = force * maximumSpringForce / magnitude;
        force.y = 0.0f;
        first.force += force;
        second.force -= force;
    }
}

// Every ordered pair (i, k) of one time step's nodes pushes i away from k and k away from
// i, so each unordered pair acts twice; and the whole repulsion runs twice per step (once
// over the steps, once over the threads' k-th nodes, which are the same slices).
//
// The pair terms are computed once per pair (v(k, i) is exactly -v(i, k)) and each node's
// force then adds its terms in the order the pair-by-pair evaluation would: in a pass,
// node i first receives the terms of the pairs led by earlier nodes, then its own, then
// those led by later nodes. So the sums are bit for bit those of evaluating every ordered
// pair in full, at a fraction of the cost.
void ThreadModel::repelSlices()
{
    const int count = characterCount();
    if (count < 2)
        return;
    const std::size_t square = static_cast<std::size_t>(count) * count;
    m_pairForces.resize(square * 2);
    float *termX = m_pairForces.data();
    float *termZ = termX + square;
    const std::size_t sliceCount = m_nodes.size() / count;
    for (std::size_t slice = 0; slice < sliceCount; ++slice) {
        ThreadNode *nodes = m_nodes.data() + slice * count;
        for (int i = 0; i < count; ++i) {
            for (int k = i + 1; k < count; ++k) {
                const Vec3 d = nodes[i].position - nodes[k].position;
                const float f = repulsion / (lengthSquared(d) + repulsionSoftening);
                const float x = f * d.x;
                const float z = f * d.z;
                termX[i * count + k] = x;
                termZ[i * count + k] = z;
                termX[k * count + i] = -x;
                termZ[k * count + i] = -z;
            }
        }
        for (int i = 0; i < count; ++i) {
            const float *rowX = termX + static_cast<std::size_t>(i) * count;
            const float *rowZ = termZ + static_cast<std::size_t>(i) * count;
            float x = nodes[i].force.x;
            float z = nodes[i].force.z;
            for (int pass = 0; pass < 2; ++pass) {
                for (int k = 0; k < i; ++k) {
                    x += rowX[k];
                    z += rowZ[k];
                }
                for (int k = 0; k < count; ++k) {
                    if (k == i)
                        continue;
                    x += rowX[k];
                    z += rowZ[k];
                }
                for (int k = i + 1; k < count; ++k) {
                    x += rowX[k];
                    z += rowZ[k];
                }
            }
            nodes[i].force.x = x;
            nodes[i].force.z = z;
        }
    }
}

void ThreadModel::integrate(float dt)
{
    for (ThreadNode &node : m_nodes) {
        const float speed = length(node.velocity);
        if (speed > 0.1f)
            node.force -= node.velocity / speed * node.mass * node.friction;
        node.velocity += node.force / node.mass * dt;
        node.velocity.y = 0.0f;
        node.position += node.velocity * dt;
    }
}

void ThreadModel::placeConvergence(float drawM)
{
    layoutChanged();
    for (ThreadNode &node : m_nodes) {
        if (node.presence > 0.9f) {
            node.position.x = 0.0f;
            node.velocity = Vec3{};
        }
        node.position.z = 0.0f;
    }
    const int threadCount = static_cast<int>(m_threads.size());
    for (int i = 0; i < threadCount; ++i) {
        const Thread &thread = m_threads[i];
        const float side = i % 2 == 0 ? -1.0f : 1.0f;
        const float layer =
            (0.5f - static_cast<float>(i) / static_cast<float>(threadCount)) * 2.0f * 9.0f;
        const int n = static_cast<int>(thread.nodes.size());
        for (int j = 0; j < n; ++j) {
            ThreadNode &node = m_nodes[thread.nodes[j]];
            if (node.presence > 0.75f) {
                node.position.x = 0.0f;
                node.velocity = Vec3{};
            } else {
                const float e = static_cast<float>(thread.gapLength(m_nodes, j));
                const float f = static_cast<float>(thread.gapBefore(m_nodes, j));
                node.position.x = std::sin(f / e * halfTurn) *
                                  (100.0f / static_cast<float>(n) * drawM * side * e);
            }
            node.position.z = layer;
        }
    }
}
