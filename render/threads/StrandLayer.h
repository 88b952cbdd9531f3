#pragma once

class StrandRaster;

// Lays a StrandRaster's layer over the bound framebuffer: uploads it into a texture of the
// viewport's size and draws it across the viewport, premultiplied. The context it was made in
// must be current whenever it is used or destroyed.
class StrandLayer
{
public:
    StrandLayer() = default;
    ~StrandLayer();
    StrandLayer(const StrandLayer &) = delete;
    StrandLayer &operator=(const StrandLayer &) = delete;

    // Draws the layer over the current viewport; the GL state is left as it was.
    void draw(const StrandRaster &raster);

    // Whether the current context rasterises on the processor (Mesa's llvmpipe, softpipe or
    // swrast, or SwiftShader), where drawing the strands as a layer is much faster.
    static bool softwareRenderer();

private:
    void upload(const StrandRaster &raster);

    unsigned int m_texture = 0;
    int m_width = 0;
    int m_height = 0;
};
