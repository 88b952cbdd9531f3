#pragma once

#include "threads/ColorWeave.h"
#include "threads/IncreasingChart.h"
#include "threads/LayoutStamp.h"
#include "threads/RetainedLayer.h"
#include "threads/ThreadDrawing.h"
#include "threads/ViewState.h"

#include <array>
#include <memory>
#include <optional>

class QImage;
class ThreadModel;
class glShader;
class glShaderManager;

// Draws the thread model in one of the four modes into the current GL context. One
// renderer belongs to one context: it keeps that context's shader program, and the buffers,
// textures and display lists its frames are drawn from, which are rebuilt only when the
// layout or a drawing option changes. Needs no widget, so windows and off-screen surfaces
// share it. The picture of a frame, all but the reading marks, is also kept whole: a frame
// that would draw the same picture again (only the text view scrolled, or nothing changed)
// copies it and draws the marks over it.
class ThreadRenderer
{
public:
    // Initialises the GL extension loader; the context must be current.
    ThreadRenderer();
    // Releases the GL objects; the context must be current.
    ~ThreadRenderer();
    ThreadRenderer(const ThreadRenderer &) = delete;
    ThreadRenderer &operator=(const ThreadRenderer &) = delete;

    // Builds the "Color Weaving" program on first use; false when it cannot be built.
    bool ensureWeaveProgram();
    glShader *weaveProgram() const { return m_weaveProgram; }

    // Clears colour and depth and resets the modelview matrix: the start of every frame.
    static void beginFrame();
    // One frame of the graph in the mode of `state`, drawn from the model as it stands; the
    // layout is advanced elsewhere (LayoutStepper).
    void drawGraph(const ThreadModel &model, const ViewState &state);

    // Whether the threads' strands are drawn on the processor as one layer or as GL lines;
    // by default on the processor where GL rasterises in software.
    void setStrandsOnProcessor(bool onProcessor);

    // The power of two a capture reads per dimension: 2^ceil(ln(x) / ln 2), which is
    // twice x for an exact power of two.
    static int captureDimension(int x);
    // The top-left width x height pixels of the buffer `readBuffer` (a GLenum such as
    // GL_BACK), top row first. Null when the size is empty.
    static QImage captureFrame(int width, int height, unsigned int readBuffer);

private:
    // Everything the picture under the reading marks depends on.
    struct PictureKey
    {
        LayoutStamp stamp;
        ViewState view;
        std::array<float, 4> clearColor{};
        int samples = 0;
        bool weaveProgram = false;
        bool operator==(const PictureKey &other) const;
    };

    PictureKey pictureKey(const ThreadModel &model, const ViewState &state) const;
    void drawPicture(const ThreadModel &model, const ViewState &state);
    void drawReadingMarks(const ThreadModel &model, const ViewState &state);
    void drawForceDirected(const ThreadModel &model, const ViewState &state);
    void drawConvergenceGraph(const ThreadModel &model, const ViewState &state);
    void drawColorWeaving(const ThreadModel &model, const ViewState &state);

    std::unique_ptr<glShaderManager> m_shaderManager;
    glShader *m_weaveProgram = nullptr;
    ThreadDrawing m_threads;
    ColorWeave m_weave;
    IncreasingChart m_increasingChart;
    RetainedLayer m_picture;
    std::optional<PictureKey> m_pictureKey;
    // The picture of the last frame when it was drawn rather than copied; empty after a copy.
    std::optional<PictureKey> m_lastRedrawnKey;
};
