#pragma once

#include "characters/Character.h"
#include "threads/Vec3.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QColor;
class TimeIndexVector;

// One sample of one character's thread. Present nodes have presence 1, absent ones 0.25
// and the absent nodes at either end of a thread 0 (hidden, never drawn).
struct ThreadNode
{
    Vec3 position;
    Vec3 homePosition;
    // The character's own colour, read through on every frame so a recolour shows at once.
    // The model keeps the characters alive, so the pointer stays valid while the node does.
    const QColor *color = nullptr;
    Vec3 velocity;
    Vec3 force;
    float mass = 100.0f;
    float presence = 1.0f;
    float friction = 5.0f;
};

// A damped spring between two nodes, given by their indices in ThreadModel::nodes().
struct Spring
{
    int first = 0;
    int second = 0;
    float restLength = 0.0f;
    float stiffness = 5000.0f;
    float damping = 100.0f;
    // True for a link between two characters present at the same time step, false for
    // the link between consecutive nodes of one thread.
    bool sceneLink = false;
};

// The nodes of one character in time order, as indices into ThreadModel::nodes().
struct Thread
{
    std::vector<int> nodes;
    CharacterPtr character;

    // Present means presence > 0.7. j - p, p being the nearest present node before j
    // (-1 when there is none).
    int gapBefore(const std::vector<ThreadNode> &allNodes, int j) const;
    // q - p + 1 with p as in gapBefore and q the nearest present node after j (the node
    // count when there is none).
    int gapLength(const std::vector<ThreadNode> &allNodes, int j) const;
    // Halfway between the first and the last present node, truncated.
    int middleIndex(const std::vector<ThreadNode> &allNodes) const;
    // The node each word of the name label stands at: successive words two steps apart
    // around the middle of the present stretch. Anchors that would fall outside the thread
    // are kept on its first or last node; a thread without nodes gets none.
    std::vector<int> labelAnchors(const std::vector<ThreadNode> &allNodes,
                                  const QStringList &words) const;

private:
    bool isPresent(const std::vector<ThreadNode> &allNodes, int j) const;
};

// The geometric model behind the thread view: every character of a scene index becomes a
// thread of nodes running down the time axis (y = graphHeight * (0.5 - t)); springs and a
// repulsion between the nodes of one time step move them in the horizontal plane.
//
// Node s * C + c (C characters) is the node of character c at time step s and equals node
// s of thread c; the simulation and the selection rely on that order.
class ThreadModel
{
public:
    float graphHeight = 20.0f;
    float ringRadius = 1.0f;
    int gridScale = 3;
    float repulsion = 50.0f;
    float axisPull = 10.0f;
    float planePull = 1000.0f;
    float sceneLinkLength = 0.0001f;
    float damping = 99.9f;

    // Drops every node, spring and thread and forgets the index.
    void clearThreads();
    // Samples the index every `step` of the time axis. Returns whether threads were built,
    // which needs at least one scene. The index must outlive the model's use of it (until
    // the next clearThreads); the characters are held by the model itself.
    bool buildThreads(const TimeIndexVector *index, float step);
    // One physics step. `selectedIndex` pins that character's thread to the axis (ignored
    // outside 0..C-1); `moveToPlane` pulls every node towards z = 0.
    void simulate(float dt, int selectedIndex = -1, bool moveToPlane = false);
    // Lays the threads out flat: present stretches on the centre line, absences bulging
    // to alternating sides by `drawM`, one depth layer per thread.
    void placeConvergence(float drawM);
    // Every node back to where it was created, at rest.
    void reset();

    bool graphReady() const { return m_graphReady; }
    const TimeIndexVector *timeIndex() const { return m_timeIndex; }
    int characterCount() const { return static_cast<int>(m_characters.size()); }
    const CharacterList &characters() const { return m_characters; }
    const std::vector<ThreadNode> &nodes() const { return m_nodes; }
    const std::vector<Spring> &springs() const { return m_springs; }
    const std::vector<Thread> &threads() const { return m_threads; }
    // For callers that place nodes themselves (and for tests of the physics). Counts as a
    // change of the layout, since the caller may move any node through it.
    std::vector<ThreadNode> &mutableNodes();

    // Changes whenever the nodes, springs or threads may have changed (a build, a clear, a
    // step, a placement, a reset) and never repeats within the process, not even across
    // models: a drawing built from a model is current while this value is the same.
    std::uint64_t layoutRevision() const { return m_layoutRevision; }

    // The step actually used for a requested one: a step that would never let the
    // sampling reach 1 (not positive, not a number, or too small to advance t) is replaced
    // so that the layout always terminates with at least one sample per thread.
    static float usableStep(float step);
    static constexpr float minimumStep = 1e-4f;
    // The repulsion pairs every two nodes of a time step, so memory and time grow with the
    // square of the characters; beyond this many a screenplay gets no threads rather than
    // exhausting memory (feature films have well under a hundred speakers).
    static constexpr int maximumCharacters = 2000;
    // Each layout step repels every two nodes of a time step and pulls every two linked in a
    // scene; past this many such pairs per step a settled layout takes minutes, and a picture
    // of that many threads shows nothing anyway.
    static constexpr qint64 maximumPairsPerStep = 4000000;
    // Why the index is not laid out at this step (too many pairs, or characters); empty when
    // it is.
    static QString layoutTooLarge(const TimeIndexVector &index, float step);

private:
    void sampleTimeAxis(float step, const std::vector<float> &angles);
    void addStepNodes(float t, int sceneIndex, int lastScene, const std::vector<float> &angles);
    void linkThreads();
    void hideThreadEnds();
    void applySprings();
    void repelSlices();
    void integrate(float dt);
    void layoutChanged();

    const TimeIndexVector *m_timeIndex = nullptr;
    CharacterList m_characters;
    std::vector<ThreadNode> m_nodes;
    std::vector<Spring> m_springs;
    std::vector<Thread> m_threads;
    bool m_graphReady = false;
    std::uint64_t m_layoutRevision = 0;
    // Scratch space of the repulsion, kept between steps so a frame allocates nothing.
    std::vector<float> m_pairForces;
    std::vector<int> m_presentScratch;
};
