// The vertex batch of the ES 2 render driver: quads gathered on the CPU as
// triangles and drawn in one call from a vertex buffer when the state they
// share (blend mode, scissor, texture) is about to change, or the frame is
// read or shown. Untextured quads (lines, points) join any batch.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/platform/gles2_functions.h"

namespace tuublark {

struct TGles2Vertex {
    float X, Y, U, V;
    uint8_t R, G, B, A;
    uint8_t Textured, Padding[3];
};

class TGles2Batch {
public:
    // Makes the vertex buffer in the current context, binds it and points
    // the program's attributes into it.
    void Create(const TGles2Functions& gl);
    // Forgets the buffer and the quads; the context is gone or going.
    void Forget();

    bool Empty() const { return vertices_.empty(); }
    // The texture of the textured quads gathered; 0 while there are none.
    uint32_t Texture() const { return texture_; }
    // Corners in order around the quad (x, y pairs), their texture
    // coordinates, and the colour; `texture` 0 for an untextured quad. A
    // textured quad must share the batch's texture (flush first if not).
    void AddQuad(const float xy[8], const float uv[8], const uint8_t color[4], uint32_t texture);
    // Draws what was gathered, its texture bound, and starts again.
    // Returns whether anything was drawn.
    bool Flush(const TGles2Functions& gl);

private:
    std::vector<TGles2Vertex> vertices_;
    uint32_t texture_ = 0;
    GLuint buffer_ = 0;
};

}  // namespace tuublark
