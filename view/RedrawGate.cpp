#include "view/RedrawGate.h"

#include <algorithm>

bool operator==(const FrameInputs &a, const FrameInputs &b)
{
    return a.state == b.state && a.colors == b.colors && a.modelGeneration == b.modelGeneration &&
           a.upToDate == b.upToDate && a.graphReady == b.graphReady;
}

float RedrawGate::restDistance(int width, int height, float graphHeight)
{
    const float across = 20.0f / static_cast<float>(std::max(width, 1));
    const float down = graphHeight / static_cast<float>(std::max(height, 1));
    return restPixels * std::min(across, down);
}

void RedrawGate::frameDrawn(const FrameInputs &inputs, const std::vector<ThreadNode> &nodes,
                            float restDistance)
{
    bool quiet = m_hasDrawn && inputs == m_lastInputs && nodes.size() == m_quietStart.size();
    const float limit = restDistance * restDistance;
    for (std::size_t i = 0; quiet && i < nodes.size(); ++i)
        quiet = lengthSquared(nodes[i].position - m_quietStart[i]) <= limit;
    if (quiet) {
        ++m_quietFrames;
    } else {
        m_quietFrames = 0;
        m_quietStart.resize(nodes.size());
        std::transform(nodes.begin(), nodes.end(), m_quietStart.begin(),
                       [](const ThreadNode &node) { return node.position; });
    }
    m_lastInputs = inputs;
    m_hasDrawn = true;
}

bool RedrawGate::needsFrame(const FrameInputs &current, bool imagePending) const
{
    return imagePending || !atRest() || current != m_lastInputs;
}
