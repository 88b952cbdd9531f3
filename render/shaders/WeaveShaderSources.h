#pragma once

// The GLSL sources of the "Color Weaving" program: the vertex stage passes texture
// coordinate 0 and the colour through; the fragment stage samples the texture at a
// pseudo-random coordinate made from the window position and the texture coordinate.
extern const char weaveVertexSource[];
extern const char weaveFragmentSource[];
