#include "threads/LayoutStepper.h"

#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace {

// Sum of m v^2 / 2 over the nodes, and the largest distance a node moved in `dt`.
std::pair<float, float> energyAndLargestMove(const std::vector<ThreadNode> &nodes, float dt)
{
    float energy = 0.0f;
    float fastest = 0.0f;
    for (const ThreadNode &node : nodes) {
        const float speedSquared = lengthSquared(node.velocity);
        energy += 0.5f * node.mass * speedSquared;
        fastest = std::max(fastest, speedSquared);
    }
    return {energy, std::sqrt(fastest) * dt};
}

} // namespace

bool LayoutStepper::Settings::operator==(const Settings &other) const
{
    return std::tie(drawMode, selectedIndex, moveToPlane, drawM) ==
           std::tie(other.drawMode, other.selectedIndex, other.moveToPlane, other.drawM);
}

void LayoutStepper::warm()
{
    m_temperature = 1.0f;
    m_lastEnergy = 0.0f;
    m_steps = 0;
    m_settled = false;
}

void LayoutStepper::setSettings(const Settings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    warm();
}

bool LayoutStepper::simulates() const
{
    return m_settings.drawMode != ViewState::ColorWeaving &&
           m_settings.drawMode != ViewState::IncreasingGraph;
}

bool LayoutStepper::step(ThreadModel &model)
{
    if (m_settled)
        return false;
    if (!simulates() || !model.graphReady()) {
        m_settled = true;
        return false;
    }
    if (m_settings.drawMode == ViewState::ConvergenceGraph) {
        // The placement sets every node's x and z, whatever the simulation did.
        model.simulate(stepTime, m_settings.selectedIndex, m_settings.moveToPlane);
        model.placeConvergence(m_settings.drawM);
        m_settled = true;
    } else {
        stepForceDirected(model);
    }
    ++m_steps;
    return true;
}

void LayoutStepper::stepForceDirected(ThreadModel &model)
{
    const float dt = stepTime * m_temperature;
    model.simulate(dt, m_settings.selectedIndex, m_settings.moveToPlane);
    const auto [energy, largestMove] = energyAndLargestMove(model.nodes(), dt);
    m_temperature *= energy < m_lastEnergy ? fallingCooling : baseCooling;
    m_lastEnergy = energy;
    m_settled = largestMove < restMove || m_temperature < frozenTemperature;
}

int LayoutStepper::settle(ThreadModel &model, int maximumSteps)
{
    int taken = 0;
    while (taken < maximumSteps && step(model))
        ++taken;
    return taken;
}
