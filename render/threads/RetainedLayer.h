#pragma once

// A picture kept on the GL side between frames: drawn once into a framebuffer of its own
// with the same size, sample count and colour format as the framebuffer bound when it is
// drawn (the target), and copied into the target sample for sample afterwards, so a copy is
// exactly the picture drawn again. Only targets it can copy into exactly are used: a
// framebuffer object, or the window's own framebuffer when it is not multisampled. The
// context it was made in must be current whenever it is used or destroyed.
class RetainedLayer
{
public:
    RetainedLayer() = default;
    ~RetainedLayer();
    RetainedLayer(const RetainedLayer &) = delete;
    RetainedLayer &operator=(const RetainedLayer &) = delete;

    // Redirects drawing into the layer, cleared with the current clear colour and depth, for
    // a picture of width x height pixels from the origin. False (and drawing stays on the
    // target) when the bound framebuffer cannot take a copy.
    bool beginDrawing(int width, int height);
    // Goes back to the target and copies the new picture into it.
    void endDrawing();
    // Copies the picture last drawn into the bound framebuffer; false when there is none
    // that fits it.
    bool copyToTarget();
    // The target's sample count, which a picture depends on.
    static int targetSamples();

private:
    struct Target
    {
        int framebuffer = 0;
        int samples = 0;
        unsigned int colorFormat = 0; // GLenum; 0 when it cannot take an exact copy
    };
    static Target boundTarget();
    bool fits(const Target &target, int width, int height) const;
    void create(const Target &target, int width, int height);
    void release();
    void blitTo(int framebuffer) const;

    unsigned int m_framebuffer = 0;
    unsigned int m_color = 0;
    unsigned int m_depth = 0;
    int m_width = 0;
    int m_height = 0;
    int m_samples = 0;
    unsigned int m_colorFormat = 0;
    bool m_holdsPicture = false;
    Target m_target;
};
