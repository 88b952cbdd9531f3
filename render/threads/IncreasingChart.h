#pragma once

#include <cstddef>
#include <vector>

class ThreadModel;
struct Scene;
struct ViewState;

// The "Increasing Graph" mode: a cumulative chart in which every character's value grows
// by the length of each scene it speaks in (plus 0.0001 per count). Time runs down the
// view with the value across, or across with the value up when the axis is flipped.
class IncreasingChart
{
public:
    // Draws into the current context; sets its own viewport and projection.
    void draw(const ThreadModel &model, const ViewState &state);

private:
    void point(float value, float time, float z) const;
    void drawBand(std::size_t sceneIndex, float top, float bottom) const;
    void drawCharacter(const ThreadModel &model, const Scene &scene, std::size_t c, float top,
                       float bottom, const ViewState &state);
    void drawReadingLine(const ThreadModel &model, const ViewState &state) const;
    void drawPinnedLine(const ThreadModel &model, const ViewState &state);

    // The pinned line is at least this many pixels wide.
    static constexpr float pinnedMinimumWidth = 5.0f;

    bool m_flip = false;
    float m_height = 20.0f;
    float m_lineWidth = 1.0f;
    // The running totals, kept between frames so a frame allocates nothing.
    std::vector<float> m_totals;
};
