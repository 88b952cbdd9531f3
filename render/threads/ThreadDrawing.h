#pragma once

#include "threads/CachedVertexBuffer.h"
#include "threads/GlutLists.h"
#include "threads/LayoutStamp.h"
#include "threads/StrandLayer.h"
#include "threads/StrandRaster.h"
#include "threads/VertexData.h"

#include <optional>

class QByteArray;
class ThreadModel;
struct ViewState;

// The pieces "Force Directed" and "Convergence Graph" are drawn from, kept in GL buffers and
// display lists between frames: each piece is rebuilt when the layout, a colour or an option
// it shows has changed, and otherwise drawn as it is. Draws into the current context with
// the current matrices; the context it was first used in must be current whenever it is
// used or destroyed.
class ThreadDrawing
{
public:
    // One grey quad per scene across the whole view, alternating 0.8 and 0.9, at z = 0.
    void drawSceneBands(const ThreadModel &model);
    // A sphere at every visible node, as big as its presence (needs GLUT).
    void drawNodeSpheres(const ThreadModel &model);
    // Each scene link of a present node as a line half in either end's colour.
    void drawSceneLinks(const ThreadModel &model);
    // The jittered strands of every thread, then the name labels if asked for.
    void drawThreadFibres(const ThreadModel &model, const ViewState &state);

    // Whether the strands are drawn on the processor and laid over the picture as one layer,
    // rather than as GL lines. Chosen on first use: on the processor where GL itself
    // rasterises there, where it is many times faster.
    void setStrandsOnProcessor(bool onProcessor) { m_strandsOnProcessor = onProcessor; }

private:
    // What the strands show besides the layout.
    struct StrandKey
    {
        LayoutStamp stamp;
        float activeThreadSize = 0.0f;
        float inactiveThreadSize = 0.0f;
        float threadTransparency = 0.0f;
        bool operator==(const StrandKey &other) const;
    };

    static StrandKey strandKey(const ThreadModel &model, const ViewState &state);
    void drawStrands(const ThreadModel &model, const ViewState &state);
    void drawStrandLayer(const ThreadModel &model, const ViewState &state);
    static void leaveStateAfterStrands();
    void drawThreadLabel(const ThreadModel &model, int threadIndex, float xOffset, float angle);
    // The scale by s comes before the translation, so the text lands at (s x, s y, z).
    void drawStrokeText(float x, float y, float z, float angle, float s, const QByteArray &text);

    CachedVertexBuffer<LayoutStamp> m_bands;
    CachedVertexBuffer<LayoutStamp> m_links;
    CachedVertexBuffer<StrandKey> m_strands;
    // The strands on the processor: their vertices, kept while the key holds, and the layer.
    std::optional<bool> m_strandsOnProcessor;
    std::optional<StrandKey> m_strandDataKey;
    VertexData m_strandData;
    StrandRaster m_strandRaster;
    StrandLayer m_strandLayer;
    GlutLists m_glut;
};
