#include "shaders/WeaveShaderSources.h"

const char weaveVertexSource[] = "void main(void) \n"
                                 "{\n"
                                 "\tgl_TexCoord[0] = gl_MultiTexCoord0;\n"
                                 "\tgl_Position = gl_ModelViewProjectionMatrix * gl_Vertex; \n"
                                 "\tgl_FrontColor = gl_Color;\n"
                                 "}\n";

// The uniform is never set, so the sampler reads texture unit 0.
const char weaveFragmentSource[] =
    "uniform sampler2D textureSampler; \n"
    " \n"
    "float rand(vec2 co){ \n"
    "    return fract(sin(dot(co.xy ,vec2(12.9898,78.233))) * 43758.5453); \n"
    "} \n"
    "void main (void) \n"
    "{ \n"
    "\tvec2 v = vec2(gl_FragCoord.x, gl_FragCoord.y); \n"
    "\tvec2 t = vec2(gl_TexCoord[0]); \n"
    "\tvec2 r = vec2(rand(vec2(v.x, t.y)), rand(vec2(t.x, v.y))); \n"
    "\tvec4 color = texture2D(textureSampler, r);//vec2(gl_TexCoord[0])); \n"
    "\tgl_FragColor = gl_Color*color; \n"
    "} \n";
