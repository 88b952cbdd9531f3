#pragma once

class ThreadModel;

// Advances the layout of a thread model on its own, apart from drawing it: each step
// computes the forces and then moves the nodes. The "Force Directed" simulation cools as it
// goes: the time step shrinks while the layout's energy falls, so the layout comes to a
// standstill in a bounded number of steps instead of creeping on for minutes. "Convergence
// Graph" places every node by rule, so one step settles it; the other modes do not move the
// nodes at all. Anything that changes where the nodes would go (a new model, a reset, a
// draw mode, a pinned thread, the plane pull, the convergence factor) warms the layout again.
class LayoutStepper
{
public:
    // What the steps depend on besides the model.
    struct Settings
    {
        int drawMode = 0; // the view's draw mode; values outside 0..3 simulate as mode 0
        int selectedIndex = -1;
        bool moveToPlane = false;
        float drawM = 0.1f;

        bool operator==(const Settings &other) const;
        bool operator!=(const Settings &other) const { return !(*this == other); }
    };

    // The time one step of the uncooled simulation advances.
    static constexpr float stepTime = 0.016f;
    // Cooling: every step keeps this share of the temperature, and this smaller share when
    // the step lowered the layout's kinetic energy.
    static constexpr float baseCooling = 0.997f;
    static constexpr float fallingCooling = 0.985f;
    // The layout has settled once no node moved further than this in a step (model units,
    // a small fraction of a pixel at any window size), or once it is this cold.
    static constexpr float restMove = 1.0e-4f;
    static constexpr float frozenTemperature = 0.02f;
    // More steps than the cooling ever needs (it freezes within about 1300).
    static constexpr int settleStepLimit = 2000;

    // Starts the layout from full temperature with the next step.
    void warm();
    // Takes `settings` for the next steps; warms the layout when they change where the nodes
    // go.
    void setSettings(const Settings &settings);
    const Settings &settings() const { return m_settings; }

    // One step on `model`; false (and nothing happens) once the layout has settled.
    bool step(ThreadModel &model);
    // Steps until the layout settles or `maximumSteps` are taken; returns the steps taken.
    int settle(ThreadModel &model, int maximumSteps);

    bool settled() const { return m_settled; }
    float temperature() const { return m_temperature; }
    // Steps since the layout was last warmed.
    int steps() const { return m_steps; }

private:
    bool simulates() const;
    void stepForceDirected(ThreadModel &model);

    Settings m_settings;
    float m_temperature = 1.0f;
    float m_lastEnergy = 0.0f;
    int m_steps = 0;
    bool m_settled = false;
};
